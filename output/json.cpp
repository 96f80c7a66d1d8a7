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

nlohmann::ordered_json Optional(const std::optional<double>& v) {
  return v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json AgreementJson(const RegionAgreement& r) {
  nlohmann::ordered_json out;
  out["value"] = Optional(r.Agreement());
  out["sensitivity"] = Optional(r.Sensitivity());
  out["precision"] = Optional(r.Precision());
  out["pairs"] = Optional(r.Pairs());
  out["shared_columns"] = r.sharedColumns;
  out["aligned_columns"] = r.alignedColumns;
  out["shared_pairs"] = r.sharedPairs;
  return out;
}

nlohmann::ordered_json PairwiseReferenceJson(const PairwiseReference& r) {
  nlohmann::ordered_json out;
  out["file"] = r.file;
  out["family"] = r.family;
  out["member1"] = r.member1;
  out["member2"] = r.member2;
  out["top"] = r.top;
  out["bottom"] = r.bottom;
  return out;
}

nlohmann::ordered_json ReferenceJson(const DecompositionAgreement& a) {
  nlohmann::ordered_json out = PairwiseReferenceJson(a.reference);
  out["columns"] = a.referenceColumns;
  out["pairs"] = a.referencePairs;
  return out;
}

nlohmann::ordered_json AgreementSummaryJson(const AgreementSummary& s) {
  nlohmann::ordered_json out;
  out["best"] = Optional(s.bestAgreement);
  out["best_polygon"] = s.best >= 0 ? nlohmann::ordered_json(s.best + 1) : nlohmann::ordered_json(nullptr);
  out["near_best_share"] = Optional(s.nearBestShare);
  return out;
}

nlohmann::ordered_json DecompositionJson(const CDecomposition& d, float match, float indel,
                                         const DecompositionAgreement* agreement) {
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
    if (agreement && static_cast<size_t>(i) < agreement->regions.size()) {
      polygon["agreement"] = AgreementJson(agreement->regions[static_cast<size_t>(i)]);
    }
    polygons.push_back(std::move(polygon));
  }
  out["polygons"] = std::move(polygons);
  if (agreement) {
    out["reference"] = ReferenceJson(*agreement);
    out["agreement"] = AgreementSummaryJson(agreement->summary);
  }
  return out;
}

std::string JsonText(const nlohmann::ordered_json& value, int indent) {
  return value.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace zenphal
