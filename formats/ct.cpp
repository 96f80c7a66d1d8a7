#include "formats/ct.h"

#include "engine/errors.h"
#include "engine/rna_structure.h"
#include "formats/pair_table.h"
#include "formats/structure_pick.h"

namespace zenphal {
namespace {

using formats::AtLine;
using formats::Number;
using formats::Quoted;
using formats::ReadInteger;
using formats::TextLine;

// A line that reads as a base line: index, base, previous, next, partner.
bool IsBaseLine(const std::vector<std::string_view>& f) {
  return f.size() >= 5 && ReadInteger(f[0]) && ReadInteger(f[2]) && ReadInteger(f[3]) && ReadInteger(f[4]);
}

// Reads one structure from lines[at], advancing at past it.
StructureRead ReadOne(const std::vector<TextLine>& lines, size_t& at) {
  const TextLine& header = lines[at++];
  const std::vector<std::string_view> headerFields = formats::Fields(header.text);
  const auto count = ReadInteger(headerFields.front());
  if (!count) {
    throw InputError(AtLine(header.number, "a CT header must begin with the number of bases, not " +
                                               Quoted(headerFields.front())));
  }
  if (*count < 1 || *count > CRnaStructure::kMaxLength) {
    throw InputError(AtLine(header.number, "the header gives " + Quoted(headerFields.front()) + " bases; 1 to " +
                                               Number(CRnaStructure::kMaxLength) + " are supported"));
  }
  const int n = static_cast<int>(*count);
  const std::string ofHeader = " (the header on line " + Number(header.number) + " gives " + Number(n) + " bases)";

  StructureRead read;
  read.format = StructureFormat::kCt;
  formats::PairTable partner(static_cast<size_t>(n), -1);
  std::vector<int> lineOf(static_cast<size_t>(n));
  for (int index = 1; index <= n; ++index) {
    if (at >= lines.size()) {
      throw InputError(AtLine(header.number, "the text ends after " + Number(index - 1) + " of the " + Number(n) +
                                                 " bases the header gives"));
    }
    const TextLine& line = lines[at++];
    const std::vector<std::string_view> f = formats::Fields(line.text);
    if (f.size() < 5) {
      throw InputError(AtLine(line.number, "a CT base line needs index, base, previous, next and partner; found " +
                                               Number(static_cast<int64_t>(f.size())) +
                                               (f.size() == 1 ? " field" : " fields")));
    }
    const auto got = ReadInteger(f[0]);
    if (!got || *got != index) {
      throw InputError(AtLine(line.number, "index " + Quoted(f[0]) + " where " + Number(index) + " was expected" +
                                               ofHeader));
    }
    if (f[1].size() != 1) throw InputError(AtLine(line.number, "the base " + Quoted(f[1]) + " is not one character"));
    static constexpr const char* kFieldNames[] = {"", "", "previous", "next", "partner"};
    for (size_t k = 2; k <= 4; ++k) {
      if (!ReadInteger(f[k])) {
        throw InputError(AtLine(line.number, std::string("the ") + kFieldNames[k] + " field " + Quoted(f[k]) +
                                                 " is not a whole number"));
      }
    }
    const int64_t p = *ReadInteger(f[4]);
    if (p < 0 || p > n) {
      throw InputError(AtLine(line.number, "partner " + Number(p) + " of base " + Number(index) +
                                               " is outside 0 to " + Number(n)));
    }
    if (p == index) throw InputError(AtLine(line.number, "base " + Number(index) + " pairs with itself"));
    read.bases.push_back(f[1][0]);
    partner[static_cast<size_t>(index - 1)] = static_cast<int>(p) - 1;
    lineOf[static_cast<size_t>(index - 1)] = line.number;
  }
  if (at < lines.size()) {
    const std::vector<std::string_view> f = formats::Fields(lines[at].text);
    if (IsBaseLine(f) && *ReadInteger(f[0]) == n + 1) {
      throw InputError(AtLine(lines[at].number, "a line for base " + Number(n + 1) + ofHeader));
    }
  }
  formats::CheckPairsSymmetric(partner, lineOf);
  read.stems = formats::StemTextFromPairs(partner);
  return read;
}

// Blank lines and '#' comments (as RNA STRAND puts before the header) are
// passed over.
bool IsPassedOver(std::string_view line) { return formats::IsBlank(line) || formats::IsCommentLine(line); }

std::vector<TextLine> MeaningfulLines(std::string_view text) {
  std::vector<TextLine> lines;
  for (const TextLine& line : formats::SplitLines(text)) {
    if (!IsPassedOver(line.text)) lines.push_back(line);
  }
  return lines;
}

}  // namespace

StructureRead ReadCt(std::string_view text, int structureNumber) {
  const std::vector<TextLine> lines = MeaningfulLines(text);
  if (lines.empty()) throw InputError("no CT header: the text is empty or holds only comments");
  formats::ChosenStructure(structureNumber, structureNumber);  // rejects negative numbers
  const int wanted = structureNumber == 0 ? 1 : structureNumber;
  // Every structure is read, so that a fault anywhere in the text is reported.
  StructureRead result;
  int count = 0;
  size_t at = 0;
  while (at < lines.size()) {
    StructureRead read = ReadOne(lines, at);
    if (++count == wanted) result = std::move(read);
  }
  result.structureUsed = formats::ChosenStructure(structureNumber, count);
  result.structureCount = count;
  return result;
}

namespace formats {

bool LooksLikeCt(const std::vector<TextLine>& lines) {
  const TextLine* first = nullptr;
  for (const TextLine& line : lines) {
    if (IsPassedOver(line.text)) continue;
    if (!first) {
      first = &line;
      if (!ReadInteger(Fields(line.text).front())) return false;
      continue;
    }
    const std::vector<std::string_view> f = Fields(line.text);
    return IsBaseLine(f) && *ReadInteger(f[0]) == 1;
  }
  return false;
}

}  // namespace formats
}  // namespace zenphal
