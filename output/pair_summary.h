#pragma once
// What zenphal-cli batch keeps of each pair: one row of the summary table,
// and the same record as a small JSON file beside the pair's decomposition
// (NAME.summary.json), written last, so that a resumed run lists a finished
// pair without computing it again, and knows from what input it came.
#include <optional>
#include <string>
#include <string_view>

namespace zenphal {

// Everything the pair's decomposition depends on. Two inputs are the same
// computation exactly when they are equal.
struct PairInput {
  std::string bases1, stems1;
  std::string bases2, stems2;
  float match = 0.0f, indel = 0.0f;
  float mismatchFrom = 0.0f, mismatchTo = 0.0f;
  float gapFrom = 0.0f, gapTo = 0.0f;
  float x = 0.0f, y = 0.0f;  // the point of the robustness figure
  // The rows of the reference alignment (PairwiseReference), empty when
  // the pair has none.
  std::string referenceTop{}, referenceBottom{};

  bool operator==(const PairInput&) const = default;
};

struct PairSummary {
  std::string pair;              // the name of the pair's files
  std::string rna1, rna2;        // the operands, as decompose takes them
  std::string member1, member2;  // Stockholm sequence names, else the operands
  int length1 = 0, length2 = 0;  // bases
  int polygons = 0;
  long probes = 0;               // the search's aligner calls
  double seconds = 0.0;          // to build, decompose and measure
  bool incomplete = false;       // a loop bound of the search was hit
  int pointPolygon = 0;          // from 1 as in the report; 0 when none
  double robustness = 0.0;       // that polygon's share of the rectangle
  int optimalAtPoint = 0;        // polygons optimal at the point
  // With a reference alignment (AgreementSummary): the best agreement of an
  // optimal alignment, its polygon (from 1; 0 when none), and the share of
  // the rectangle within 90% of it. hasReference false: none of them.
  bool hasReference = false;
  std::optional<double> bestAgreement;
  int agreementPolygon = 0;
  std::optional<double> nearBestShare;
  PairInput input;
};

// The summary table's first line, and one row; tab separated, each ending
// with a line feed. Columns: pair rna1 rna2 member1 member2 length1 length2
// polygons probes seconds point robustness point_polygon optimal_at_point
// incomplete best_agreement agreement_polygon near_best_share (the last
// three empty without a reference, or where not defined). Tabs and line
// breaks inside texts become spaces.
std::string SummaryTableHeader();
std::string SummaryTableRow(const PairSummary& summary);

// The record as JSON, and read back. Reading throws InputError naming what
// is missing or malformed.
std::string PairSummaryJsonText(const PairSummary& summary);
PairSummary ReadPairSummaryJson(std::string_view text);

// Says what differs between the input a record was computed from and the
// input of now ("the mismatch score range: 0,2 there, 0,5 now"), or nullopt.
std::optional<std::string> PairInputDifference(const PairInput& stored, const PairInput& now);

}  // namespace zenphal
