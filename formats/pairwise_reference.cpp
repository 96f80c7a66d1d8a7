#include "formats/pairwise_reference.h"

#include <filesystem>
#include <variant>
#include <vector>

#include "engine/errors.h"
#include "formats/input_file.h"
#include "formats/text_lines.h"

namespace zenphal {
namespace {

using formats::Quoted;

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// The first position where two base texts differ, or npos.
size_t FirstDifference(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return i;
  }
  return a.size() == b.size() ? std::string_view::npos : n;
}

// "position 12 (from 1) is 'A' in the first, 'G' in the second", or how
// their lengths differ.
std::string Difference(std::string_view a, std::string_view b, const std::string& inA, const std::string& inB) {
  if (a.size() != b.size()) {
    return std::to_string(a.size()) + " bases " + inA + ", " + std::to_string(b.size()) + " " + inB;
  }
  const size_t i = FirstDifference(a, b);
  return "base " + std::to_string(i + 1) + " is " + Quoted(a.substr(i, 1)) + " " + inA + ", " + Quoted(b.substr(i, 1)) +
         " " + inB;
}

// The sequence of an alignment that stands for a structure, or why none does.
std::variant<size_t, std::string> MemberOf(const StockholmAlignment& alignment, const StructureSource& source) {
  if (!source.name.empty()) {
    if (const size_t s = alignment.Find(source.name); s != std::string::npos) {
      const std::string bases = ReferenceBases(alignment.sequences[s].row);
      if (bases == source.bases) return s;
      return Quoted(source.name) + " of " + alignment.Title() + " is not " + source.label + ": " +
             Difference(bases, source.bases, "there", "in " + source.label) +
             " (bases are compared exactly as written)";
    }
  }
  std::vector<size_t> same;
  for (size_t s = 0; s < alignment.sequences.size(); ++s) {
    if (ReferenceBases(alignment.sequences[s].row) == source.bases) same.push_back(s);
  }
  if (same.size() == 1) return same.front();
  if (same.empty()) {
    return "no sequence of " + alignment.Title() + " has the " + std::to_string(source.bases.size()) +
           " bases of " + source.label + " (bases are compared exactly as written)";
  }
  return std::to_string(same.size()) + " sequences of " + alignment.Title() + " have the bases of " + source.label +
         " (" + Quoted(alignment.sequences[same[0]].name) + " and " + Quoted(alignment.sequences[same[1]].name) +
         "); read the structure from the Stockholm file as FILE#NAME to say which";
}

}  // namespace

std::string ReferenceBases(std::string_view row) {
  std::string bases;
  bases.reserve(row.size());
  for (char c : row) {
    if (c != kReferenceGap && !IsStockholmGap(c)) bases.push_back(c);
  }
  return bases;
}

PairwiseReference PairwiseReferenceOf(const StockholmAlignment& alignment, size_t first, size_t second,
                                      std::string file) {
  const StockholmSequence& a = alignment.sequences.at(first);
  const StockholmSequence& b = alignment.sequences.at(second);
  PairwiseReference r{std::move(file), alignment.Title(), a.name, b.name, {}, {}};
  for (size_t c = 0; c < a.row.size() && c < b.row.size(); ++c) {
    const bool gapA = IsStockholmGap(a.row[c]);
    const bool gapB = IsStockholmGap(b.row[c]);
    if (gapA && gapB) continue;
    r.top.push_back(gapA ? kReferenceGap : a.row[c]);
    r.bottom.push_back(gapB ? kReferenceGap : b.row[c]);
  }
  return r;
}

void CheckReferenceFits(const PairwiseReference& r, std::string_view bases1, std::string_view bases2) {
  const std::string what = "the reference alignment of " + Quoted(r.member1) + " and " + Quoted(r.member2);
  if (r.top.size() != r.bottom.size()) {
    throw InputError(what + " has rows of " + std::to_string(r.top.size()) + " and " +
                     std::to_string(r.bottom.size()) + " columns");
  }
  for (size_t c = 0; c < r.top.size(); ++c) {
    if (r.top[c] == kReferenceGap && r.bottom[c] == kReferenceGap) {
      throw InputError(what + " has a column of two gaps (column " + std::to_string(c + 1) + ")");
    }
  }
  const std::string top = ReferenceBases(r.top);
  if (top != bases1) {
    throw InputError(what + " does not align the first structure: " +
                     Difference(top, bases1, "in " + Quoted(r.member1) + "'s row", "in the structure"));
  }
  const std::string bottom = ReferenceBases(r.bottom);
  if (bottom != bases2) {
    throw InputError(what + " does not align the second structure: " +
                     Difference(bottom, bases2, "in " + Quoted(r.member2) + "'s row", "in the structure"));
  }
}

std::optional<PairwiseReference> SharedAlignmentReference(const StructureSource& first,
                                                          const StructureSource& second) {
  if (!first.stockholm || !second.stockholm) return std::nullopt;
  const StockholmOrigin& a = *first.stockholm;
  const StockholmOrigin& b = *second.stockholm;
  if (a.alignmentIndex != b.alignmentIndex || !SameFile(first.path, second.path)) return std::nullopt;
  // One file read twice: the second member must stand in the first reading
  // as it stood in its own (the file may have changed in between).
  if (a.alignment != b.alignment) {
    const auto& mine = a.alignment->sequences;
    const auto& theirs = b.alignment->sequences;
    if (b.sequence >= mine.size() || mine[b.sequence].name != theirs[b.sequence].name ||
        mine[b.sequence].row != theirs[b.sequence].row) {
      return std::nullopt;
    }
  }
  return PairwiseReferenceOf(*a.alignment, a.sequence, b.sequence, first.path);
}

ReferenceFile ReadReferenceFile(const std::string& operand) {
  ReferenceFile file;
  file.operand = operand;
  const SplitOperand split = SplitStructureOperand(operand);
  file.path = split.path;
  if (!split.path.empty() && split.path.size() + 1 == operand.size()) {
    throw InputError(operand + ": nothing follows '#'; use " + split.path + " or " + split.path + "#FAMILY");
  }
  const std::string text = ReadInputFile(split.path);
  try {
    file.alignments = ReadStockholm(text);
    if (!split.selector.empty()) {
      file.candidates.push_back(PickStockholmAlignment(file.alignments, split.selector));
    } else {
      for (size_t a = 0; a < file.alignments.size(); ++a) file.candidates.push_back(a);
    }
  } catch (const InputError& e) {
    throw InputError(operand + ": " + e.what());
  }
  return file;
}

PairwiseReference FindPairwiseReference(const ReferenceFile& file, const StructureSource& first,
                                        const StructureSource& second) {
  struct Found {
    size_t alignment, first, second;
  };
  std::vector<Found> found;
  std::string problem;
  for (size_t a : file.candidates) {
    const auto m1 = MemberOf(file.alignments[a], first);
    const auto m2 = MemberOf(file.alignments[a], second);
    if (m1.index() == 0 && m2.index() == 0) {
      found.push_back({a, std::get<0>(m1), std::get<0>(m2)});
    } else if (problem.empty()) {
      problem = m1.index() == 1 ? std::get<1>(m1) : std::get<1>(m2);
    }
  }
  if (found.empty()) {
    if (file.candidates.size() == 1) throw InputError(file.operand + ": " + problem);
    throw InputError(file.operand + ": none of its " + std::to_string(file.candidates.size()) +
                     " alignments holds both structures; in the first: " + problem);
  }
  if (found.size() > 1) {
    throw InputError(file.operand + ": " + file.alignments[found[0].alignment].Title() + " and " +
                     file.alignments[found[1].alignment].Title() + " both hold the two structures; name one: " +
                     file.path + "#FAMILY");
  }
  const Found& f = found.front();
  return PairwiseReferenceOf(file.alignments[f.alignment], f.first, f.second, file.path);
}

}  // namespace zenphal
