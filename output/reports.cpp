#include "output/reports.h"

#include "formats/score_text.h"

namespace zenphal {
namespace {

void AppendRowInReadingOrder(const std::string& storedRow, std::string& text) {
  for (auto c = storedRow.rbegin(); c != storedRow.rend(); ++c) {
    text.push_back(*c);
    text.push_back('|');
  }
}

}  // namespace

void AppendAlignmentBlock(const CAlignment& r, std::string& text) {
  const auto count = [&text](const char* label, int value) {
    text += label;
    AppendShortDecimal(static_cast<int16_t>(value), text);
  };
  count("Match Number:", r.matchCount - 2 * r.pairMatchCount);
  count("\r\nMismatch Number:", r.mismatchCount - 2 * r.pairMismatchCount);
  count("\r\nIndel Number:", r.indelCount - 2 * r.pairIndelCount);
  count("\r\nGap Number:", r.gapCount);
  count("\r\nPair Match Number:", r.pairMatchCount);
  count("\r\nPair Mismatch Number:", r.pairMismatchCount);
  count("\r\nPair Indel Number:", r.pairIndelCount);
  text += "\r\n\r\n";
  AppendRowInReadingOrder(r.rows.topRow, text);
  text += "\r\n";
  AppendRowInReadingOrder(r.rows.bottomRow, text);
}

std::string PointReport(float matchScore, float indelScore, float x, float y, const CAlignment& record) {
  std::string text = "MatchScore:";
  AppendScoreText(matchScore, text);
  text += "\r\nMismatchScore:";
  AppendScoreText(x, text);
  text += "\r\nIndelScore:";
  AppendScoreText(indelScore, text);
  text += "\r\nGapScore:";
  AppendScoreText(y, text);
  text += "\r\n\r\nThe optimal alignment is:\r\n\r\n";
  AppendAlignmentBlock(record, text);
  return text;
}

std::string AllAlignmentsReport(const CRnaStructure& first, const CRnaStructure& second, float matchScore,
                                float indelScore, const CDecomposition& d) {
  std::string text = "The first RNA secondary structure is:\r\n\r\n";
  text += first.sequence + "\r\n" + first.stemText;
  text += "\r\n\r\nThe second RNA secondary structure is:\r\n\r\n";
  text += second.sequence + "\r\n" + second.stemText;
  text += "\r\n\r\nMatch score is:";
  AppendScoreText(matchScore, text);
  text += "\r\nIndel score is:";
  AppendScoreText(indelScore, text);
  text += "\r\nMismatch score range is [ ";
  AppendScoreText(d.mismatchFrom, text);
  text += " , ";
  AppendScoreText(d.mismatchTo, text);
  text += " ]\r\nGap score range is [ ";
  AppendScoreText(d.gapFrom, text);
  text += " , ";
  AppendScoreText(d.gapTo, text);
  text += " ]\r\n\r\nThere are ";
  AppendShortDecimal(static_cast<int16_t>(d.PolygonCount()), text);
  text += " optimal alignments in parametric space:\r\n";
  for (int k = 1; k <= d.PolygonCount(); ++k) {
    text += "\r\nThe ";
    AppendShortDecimal(static_cast<int16_t>(k), text);
    text += " optimal alignment is:\r\n";
    AppendAlignmentBlock(d.Polygon(k - 1), text);
    text += "\r\n\r\n";
  }
  return text;
}

}  // namespace zenphal
