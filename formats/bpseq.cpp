#include "formats/bpseq.h"

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

// Before the first base line, a line that does not begin with a digit is a
// header line ("Filename:", "Organism:", "Accession Number:", "Citation ...").
bool IsHeader(std::string_view line) {
  const std::string_view t = formats::Trim(line);
  return !t.empty() && !(t.front() >= '0' && t.front() <= '9');
}

bool IsBaseLine(const std::vector<std::string_view>& f) {
  return f.size() == 3 && ReadInteger(f[0]) && f[1].size() == 1 && ReadInteger(f[2]);
}

}  // namespace

StructureRead ReadBpseq(std::string_view text, int structureNumber) {
  formats::ChosenStructure(structureNumber, 1);
  StructureRead read;
  read.format = StructureFormat::kBpseq;
  formats::PairTable partner;
  std::vector<int> lineOf;
  bool inBody = false;
  for (const TextLine& line : formats::SplitLines(text)) {
    if (formats::IsBlank(line.text) || formats::IsCommentLine(line.text)) continue;
    if (!inBody && IsHeader(line.text)) continue;
    inBody = true;
    const std::vector<std::string_view> f = formats::Fields(line.text);
    if (f.size() != 3) {
      throw InputError(AtLine(line.number, "a BPSEQ line needs position, base and partner; found " +
                                               Number(static_cast<int64_t>(f.size())) +
                                               (f.size() == 1 ? " field " : " fields ") + Quoted(formats::Trim(line.text))));
    }
    const int position = static_cast<int>(partner.size()) + 1;
    const auto got = ReadInteger(f[0]);
    if (!got || *got != position) {
      throw InputError(AtLine(line.number, "position " + Quoted(f[0]) + " where " + Number(position) +
                                               " was expected (positions run from 1 in order)"));
    }
    if (position > CRnaStructure::kMaxLength) {
      throw InputError(AtLine(line.number, "more than " + Number(CRnaStructure::kMaxLength) +
                                               " bases; that is the most supported"));
    }
    if (f[1].size() != 1) throw InputError(AtLine(line.number, "the base " + Quoted(f[1]) + " is not one character"));
    const auto p = ReadInteger(f[2]);
    if (!p) throw InputError(AtLine(line.number, "the partner " + Quoted(f[2]) + " is not a whole number"));
    if (*p == position) throw InputError(AtLine(line.number, "base " + Number(position) + " pairs with itself"));
    if (*p < 0) {
      throw InputError(AtLine(line.number, "partner " + Number(*p) + " of base " + Number(position) +
                                               " is negative; 0 means unpaired"));
    }
    read.bases.push_back(f[1][0]);
    // Partners beyond the last base are known only at the end; keep them
    // clamped into int range until then.
    partner.push_back(static_cast<int>(*p) - 1);
    lineOf.push_back(line.number);
  }
  if (partner.empty()) throw InputError("no BPSEQ base lines (position, base, partner) found");
  const int n = static_cast<int>(partner.size());
  for (int i = 0; i < n; ++i) {
    if (partner[static_cast<size_t>(i)] >= n) {
      throw InputError(AtLine(lineOf[static_cast<size_t>(i)],
                              "partner " + Number(partner[static_cast<size_t>(i)] + 1) + " of base " + Number(i + 1) +
                                  " is outside 0 to " + Number(n) + ", the number of bases"));
    }
  }
  formats::CheckPairsSymmetric(partner, lineOf);
  read.stems = formats::StemTextFromPairs(partner);
  return read;
}

namespace formats {

bool LooksLikeBpseq(const std::vector<TextLine>& lines) {
  for (const TextLine& line : lines) {
    if (IsBlank(line.text) || formats::IsCommentLine(line.text)) continue;
    // '>' lines belong to the input dialog's layout and to dot-bracket names.
    if (Trim(line.text).front() == '>') return false;
    if (IsHeader(line.text)) continue;
    const std::vector<std::string_view> f = Fields(line.text);
    return IsBaseLine(f) && *ReadInteger(f[0]) == 1;
  }
  return false;
}

}  // namespace formats
}  // namespace zenphal
