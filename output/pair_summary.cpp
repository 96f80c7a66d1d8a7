#include "output/pair_summary.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "engine/errors.h"
#include "formats/score_text.h"
#include "output/json.h"

namespace zenphal {
namespace {

using Json = nlohmann::ordered_json;

std::string Cell(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

std::string Fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string Fixed(const std::optional<double>& v, int decimals) { return v ? Fixed(*v, decimals) : std::string(); }

std::optional<double> OptionalNumber(const Json& v) {
  if (v.is_null()) return std::nullopt;
  return v.get<double>();
}

}  // namespace

std::string SummaryTableHeader() {
  return "pair\trna1\trna2\tmember1\tmember2\tlength1\tlength2\tpolygons\tprobes\tseconds\tpoint\trobustness\t"
         "point_polygon\toptimal_at_point\tincomplete\tbest_agreement\tagreement_polygon\tnear_best_share\n";
}

std::string SummaryTableRow(const PairSummary& s) {
  std::string row;
  for (const std::string& cell :
       {Cell(s.pair), Cell(s.rna1), Cell(s.rna2), Cell(s.member1), Cell(s.member2), std::to_string(s.length1),
        std::to_string(s.length2), std::to_string(s.polygons), std::to_string(s.probes), Fixed(s.seconds, 2),
        ShortestDecimalText(s.input.x) + "," + ShortestDecimalText(s.input.y), Fixed(s.robustness, 6),
        s.pointPolygon > 0 ? std::to_string(s.pointPolygon) : std::string(), std::to_string(s.optimalAtPoint),
        std::string(s.incomplete ? "true" : "false"), Fixed(s.bestAgreement, 6),
        s.agreementPolygon > 0 ? std::to_string(s.agreementPolygon) : std::string(), Fixed(s.nearBestShare, 6)}) {
    row += (row.empty() ? "" : "\t") + cell;
  }
  return row + "\n";
}

std::string PairSummaryJsonText(const PairSummary& s) {
  const PairInput& in = s.input;
  Json input;
  input["bases1"] = in.bases1;
  input["stems1"] = in.stems1;
  input["bases2"] = in.bases2;
  input["stems2"] = in.stems2;
  input["match"] = ShortestDecimalOf(in.match);
  input["indel"] = ShortestDecimalOf(in.indel);
  input["mismatch_range"] = {ShortestDecimalOf(in.mismatchFrom), ShortestDecimalOf(in.mismatchTo)};
  input["gap_range"] = {ShortestDecimalOf(in.gapFrom), ShortestDecimalOf(in.gapTo)};
  input["point"] = {ShortestDecimalOf(in.x), ShortestDecimalOf(in.y)};
  if (!in.referenceTop.empty()) input["reference"] = {in.referenceTop, in.referenceBottom};
  Json out;
  out["pair"] = s.pair;
  out["rna1"] = s.rna1;
  out["rna2"] = s.rna2;
  out["member1"] = s.member1;
  out["member2"] = s.member2;
  out["length1"] = s.length1;
  out["length2"] = s.length2;
  out["polygons"] = s.polygons;
  out["probes"] = s.probes;
  out["seconds"] = s.seconds;
  out["incomplete"] = s.incomplete;
  out["robustness"] = {{"share", s.robustness},
                       {"polygon", s.pointPolygon},
                       {"optimal_at_point", s.optimalAtPoint}};
  if (s.hasReference) {
    out["agreement"] = {{"best", Optional(s.bestAgreement)},
                        {"polygon", s.agreementPolygon},
                        {"near_best_share", Optional(s.nearBestShare)}};
  }
  out["input"] = std::move(input);
  return JsonText(out, 1);
}

PairSummary ReadPairSummaryJson(std::string_view text) {
  try {
    const Json j = Json::parse(text);
    const Json& in = j.at("input");
    PairSummary s;
    s.pair = j.at("pair").get<std::string>();
    s.rna1 = j.at("rna1").get<std::string>();
    s.rna2 = j.at("rna2").get<std::string>();
    s.member1 = j.at("member1").get<std::string>();
    s.member2 = j.at("member2").get<std::string>();
    s.length1 = j.at("length1").get<int>();
    s.length2 = j.at("length2").get<int>();
    s.polygons = j.at("polygons").get<int>();
    s.probes = j.at("probes").get<long>();
    s.seconds = j.at("seconds").get<double>();
    s.incomplete = j.at("incomplete").get<bool>();
    s.robustness = j.at("robustness").at("share").get<double>();
    s.pointPolygon = j.at("robustness").at("polygon").get<int>();
    s.optimalAtPoint = j.at("robustness").at("optimal_at_point").get<int>();
    if (const auto a = j.find("agreement"); a != j.end()) {
      s.hasReference = true;
      s.bestAgreement = OptionalNumber(a->at("best"));
      s.agreementPolygon = a->at("polygon").get<int>();
      s.nearBestShare = OptionalNumber(a->at("near_best_share"));
    }
    PairInput& p = s.input;
    p.bases1 = in.at("bases1").get<std::string>();
    p.stems1 = in.at("stems1").get<std::string>();
    p.bases2 = in.at("bases2").get<std::string>();
    p.stems2 = in.at("stems2").get<std::string>();
    p.match = in.at("match").get<float>();
    p.indel = in.at("indel").get<float>();
    p.mismatchFrom = in.at("mismatch_range").at(0).get<float>();
    p.mismatchTo = in.at("mismatch_range").at(1).get<float>();
    p.gapFrom = in.at("gap_range").at(0).get<float>();
    p.gapTo = in.at("gap_range").at(1).get<float>();
    p.x = in.at("point").at(0).get<float>();
    p.y = in.at("point").at(1).get<float>();
    if (const auto r = in.find("reference"); r != in.end()) {
      p.referenceTop = r->at(0).get<std::string>();
      p.referenceBottom = r->at(1).get<std::string>();
    }
    return s;
  } catch (const nlohmann::json::exception& e) {
    throw InputError(std::string("not a pair summary: ") + e.what());
  }
}

std::optional<std::string> PairInputDifference(const PairInput& stored, const PairInput& now) {
  const auto pair = [](float a, float b) { return ShortestDecimalText(a) + "," + ShortestDecimalText(b); };
  const auto differs = [](const std::string& what, const std::string& there, const std::string& here) {
    return what + ": " + there + " there, " + here + " now";
  };
  if (stored.bases1 != now.bases1 || stored.stems1 != now.stems1) return std::string("the first structure differs");
  if (stored.bases2 != now.bases2 || stored.stems2 != now.stems2) return std::string("the second structure differs");
  if (stored.match != now.match) {
    return differs("the match score", ShortestDecimalText(stored.match), ShortestDecimalText(now.match));
  }
  if (stored.indel != now.indel) {
    return differs("the indel score", ShortestDecimalText(stored.indel), ShortestDecimalText(now.indel));
  }
  if (stored.mismatchFrom != now.mismatchFrom || stored.mismatchTo != now.mismatchTo) {
    return differs("the mismatch score range", pair(stored.mismatchFrom, stored.mismatchTo),
                   pair(now.mismatchFrom, now.mismatchTo));
  }
  if (stored.gapFrom != now.gapFrom || stored.gapTo != now.gapTo) {
    return differs("the gap score range", pair(stored.gapFrom, stored.gapTo), pair(now.gapFrom, now.gapTo));
  }
  if (stored.x != now.x || stored.y != now.y) {
    return differs("the point (--at)", pair(stored.x, stored.y), pair(now.x, now.y));
  }
  if (stored.referenceTop != now.referenceTop || stored.referenceBottom != now.referenceBottom) {
    if (stored.referenceTop.empty()) return std::string("the reference alignment: none there, one now");
    if (now.referenceTop.empty()) return std::string("the reference alignment: one there, none now");
    return std::string("the reference alignment differs");
  }
  return std::nullopt;
}

}  // namespace zenphal
