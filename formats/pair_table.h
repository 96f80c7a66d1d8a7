#pragma once
// From a table of base pairs to the stem text CRnaStructure reads.
#include <optional>
#include <string>
#include <vector>

namespace zenphal::formats {

// partner[i] is the position paired with i, or -1; positions from 0.
using PairTable = std::vector<int>;

// The first position i whose partner j does not name i back (partner[j] != i),
// or nullopt when the table is symmetric. Assumes every entry is -1 or a
// position of the table other than i itself.
std::optional<int> FirstOneSidedPair(const PairTable& partner);

// Throws InputError when FirstOneSidedPair finds a position, naming the line
// of that base (lineOf[i] is the line of position i) and both partners.
void CheckPairsSymmetric(const PairTable& partner, const std::vector<int>& lineOf);

// The stems of a symmetric table: maximal runs of nested consecutive pairs
// (i, j), (i+1, j-1), ... written as "l r k" triples separated by single
// spaces, in increasing order of their left ends. Crossing pairs become
// separate stems. Empty when nothing pairs. Linear in the table's size.
std::string StemTextFromPairs(const PairTable& partner);

}  // namespace zenphal::formats
