#include "output/json.h"

#include "formats/score_text.h"

namespace zenphal {

nlohmann::ordered_json CountsJson(const CAlignment& r) {
  return {{"match", r.matchCount},         {"mismatch", r.mismatchCount},
          {"indel", r.indelCount},         {"gap", r.gapCount},
          {"pair_match", r.pairMatchCount}, {"pair_mismatch", r.pairMismatchCount},
          {"pair_indel", r.pairIndelCount}};
}

nlohmann::ordered_json PointJson(double score, const CAlignment& record) {
  nlohmann::ordered_json out;
  out["score"] = score;
  out["counts"] = CountsJson(record);
  out["top"] = record.rows.TopInReadingOrder();
  out["bottom"] = record.rows.BottomInReadingOrder();
  return out;
}

nlohmann::ordered_json DecompositionJson(const CDecomposition& d, float match, float indel) {
  nlohmann::ordered_json out;
  out["match"] = ShortestDecimalOf(match);
  out["indel"] = ShortestDecimalOf(indel);
  out["mismatch_range"] = {ShortestDecimalOf(d.mismatchFrom), ShortestDecimalOf(d.mismatchTo)};
  out["gap_range"] = {ShortestDecimalOf(d.gapFrom), ShortestDecimalOf(d.gapTo)};
  out["aligner_calls"] = d.AlignerCalls();
  out["incomplete"] = d.Incomplete();
  nlohmann::ordered_json polygons = nlohmann::ordered_json::array();
  for (int i = 0; i < d.PolygonCount(); ++i) {
    const CAlignment& p = d.Polygon(i);
    nlohmann::ordered_json polygon;
    polygon["counts"] = CountsJson(p);
    polygon["top"] = p.rows.TopInReadingOrder();
    polygon["bottom"] = p.rows.BottomInReadingOrder();
    polygon["witness"] = {ShortestDecimalOf(p.witness.x), ShortestDecimalOf(p.witness.y)};
    polygon["side_flags"] = {p.sideFlags[0], p.sideFlags[1], p.sideFlags[2], p.sideFlags[3]};
    nlohmann::ordered_json edges = nlohmann::ordered_json::array();
    for (const Edge& e : p.edges) {
      edges.push_back({ShortestDecimalOf(e.x1), ShortestDecimalOf(e.y1), ShortestDecimalOf(e.x2), ShortestDecimalOf(e.y2)});
    }
    polygon["edges"] = std::move(edges);
    polygons.push_back(std::move(polygon));
  }
  out["polygons"] = std::move(polygons);
  return out;
}

std::string JsonText(const nlohmann::ordered_json& value, int indent) {
  return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace zenphal
