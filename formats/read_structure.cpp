#include "formats/read_structure.h"

#include "engine/errors.h"
#include "formats/bpseq.h"
#include "formats/ct.h"
#include "formats/dot_bracket.h"
#include "formats/stockholm.h"
#include "formats/structure_pick.h"
#include "formats/text_lines.h"
#include "formats/layout.h"

namespace zenphal {
namespace {

bool OnlyDigitsAndSpaces(std::string_view s) { return s.find_first_not_of("0123456789 ") == std::string_view::npos; }

StructureRead ReadLayout(std::string_view text, int structureNumber) {
  formats::ChosenStructure(structureNumber, 1);
  std::string why;
  auto split = SplitStructureText(text, &why);
  if (!split) throw InputError("not a structure text: " + why);
  StructureRead read;
  read.format = StructureFormat::kLayout;
  read.bases = std::move(split->bases);
  read.stems = std::move(split->stems);
  return read;
}

}  // namespace

std::string_view StructureFormatName(StructureFormat format) {
  switch (format) {
    case StructureFormat::kAuto: return "auto";
    case StructureFormat::kLayout: return "layout";
    case StructureFormat::kDotBracket: return "dot-bracket";
    case StructureFormat::kCt: return "ct";
    case StructureFormat::kBpseq: return "bpseq";
    case StructureFormat::kStockholm: return "stockholm";
  }
  return "auto";
}

std::optional<StructureFormat> StructureFormatFromName(std::string_view name) {
  for (StructureFormat f : {StructureFormat::kAuto, StructureFormat::kLayout, StructureFormat::kDotBracket,
                            StructureFormat::kCt, StructureFormat::kBpseq, StructureFormat::kStockholm}) {
    if (StructureFormatName(f) == name) return f;
  }
  return std::nullopt;
}

std::string_view StructureFormatTitle(StructureFormat format) {
  switch (format) {
    case StructureFormat::kAuto: return "detected from the content";
    case StructureFormat::kLayout: return "the input dialog's layout";
    case StructureFormat::kDotBracket: return "dot-bracket";
    case StructureFormat::kCt: return "CT";
    case StructureFormat::kBpseq: return "BPSEQ";
    case StructureFormat::kStockholm: return "Stockholm";
  }
  return "";
}

std::optional<StructureFormat> DetectStructureFormat(std::string_view text) {
  const auto split = SplitStructureText(text);
  if (split && OnlyDigitsAndSpaces(split->stems)) return StructureFormat::kLayout;
  const std::vector<formats::TextLine> lines = formats::SplitLines(text);
  if (formats::LooksLikeStockholm(lines)) return StructureFormat::kStockholm;
  if (formats::LooksLikeCt(lines)) return StructureFormat::kCt;
  if (formats::LooksLikeBpseq(lines)) return StructureFormat::kBpseq;
  if (formats::LooksLikeDotBracket(lines)) return StructureFormat::kDotBracket;
  if (split) return StructureFormat::kLayout;
  return std::nullopt;
}

StructureRead ReadStructureText(std::string_view text, StructureFormat format, int structureNumber) {
  if (format == StructureFormat::kAuto) {
    // Nothing but white space: no format could read it, so say just that.
    if (text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos) {
      throw InputError("not a structure text: the text is empty");
    }
    const auto detected = DetectStructureFormat(text);
    if (!detected) {
      std::string why;
      SplitStructureText(text, &why);
      throw InputError("not a structure text: " + why + " (and not dot-bracket, CT, BPSEQ or Stockholm either)");
    }
    format = *detected;
  }
  switch (format) {
    case StructureFormat::kDotBracket: return ReadDotBracket(text, structureNumber);
    case StructureFormat::kCt: return ReadCt(text, structureNumber);
    case StructureFormat::kBpseq: return ReadBpseq(text, structureNumber);
    case StructureFormat::kStockholm: return ReadStockholmText(text, structureNumber);
    case StructureFormat::kLayout:
    case StructureFormat::kAuto: break;
  }
  return ReadLayout(text, structureNumber);
}

}  // namespace zenphal
