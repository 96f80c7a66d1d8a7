#pragma once
// The structure form the desktop application's Help page shows, which its
// input dialog takes when no structure format does.
#include <optional>
#include <string_view>

#include "formats/structure_read.h"

namespace zenphal {

// The Help page's form of a structure: an optional name line (">name" or any
// line that is not bases), the bases on one or more lines (letters only,
// spaces ignored), then the stem numbers "l r n l r n ..." (positions from 0,
// each stem its left end, right end and number of pairs) on the last lines,
// separated by spaces or commas. "R=" and "P=" before the bases and the
// numbers, as the Help page writes them, are allowed; blank lines are
// skipped. nullopt for any other text. Bases are kept as written.
std::optional<StructureRead> ReadSequenceAndStems(std::string_view text);

}  // namespace zenphal
