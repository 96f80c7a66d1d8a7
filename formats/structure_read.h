#pragma once
// What a structure reader gives back: the two texts CRnaStructure is built
// from, which format they were read as, and what the user should be told.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenphal {

enum class StructureFormat {
  kAuto,        // tell from the content (ReadStructureText)
  kLayout,      // the input dialog's structure text layout (SplitStructureText)
  kDotBracket,  // [>name] sequence line, dot-bracket line [energy]
  kCt,          // connectivity table: header "N ...", then index base prev next partner [natural]
  kBpseq,       // [header lines] then position base partner, positions from 1
  kStockholm,   // multiple alignments with SS_cons or #=GR SS lines (stockholm.h)
};

// "auto", "layout", "dot-bracket", "ct", "bpseq", "stockholm".
std::string_view StructureFormatName(StructureFormat format);
// The inverse of StructureFormatName; nullopt for any other text.
std::optional<StructureFormat> StructureFormatFromName(std::string_view name);
// A name for messages: "the input dialog's layout", "dot-bracket", "CT", "BPSEQ", "Stockholm".
std::string_view StructureFormatTitle(StructureFormat format);

struct StructureRead {
  std::string bases;  // base text: every base as written, one character each
  std::string stems;  // stem text "l r k l r k ...", positions from 0
  StructureFormat format = StructureFormat::kLayout;  // never kAuto
  int structureCount = 1;  // structures the text holds (CT, dot-bracket and Stockholm may hold several)
  int structureUsed = 1;   // which of them was read, from 1
  std::vector<std::string> notes;  // further things to tell the user (lines ignored, ...)
};

}  // namespace zenphal
