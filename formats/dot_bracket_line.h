#pragma once
// A structure's pairs written as a dot-bracket line, the form ViennaRNA and
// most RNA tools read: the inverse of the dot-bracket reader (dot_bracket.h).
#include <string>

#include "engine/rna_structure.h"

namespace zenphal {

// One character per base: '.' unpaired, "()" for pairs; pairs that cross
// those get "[]", then "{}", then "<>". Each pair takes the first kind in
// which it crosses no pair already written, taking pairs by their left ends,
// so nested structures use "()" alone. Throws InputError when the pairs
// cross so much that four kinds do not suffice. Linear in the length.
std::string ToDotBracketLine(const CRnaStructure& structure);

}  // namespace zenphal
