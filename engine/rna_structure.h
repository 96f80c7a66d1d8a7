#pragma once
// One RNA secondary structure: bases plus base pairs given as stems.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zenphal {

// Built once from a base text and a stem text, never changed afterwards.
//
// Base text: every character except the space is a base (case matters, T and
// U differ; a tab or line break becomes a base too).
// Stem text: numbers separated by runs of spaces, read as triples
// (left end, right end, number of pairs), positions from 0. Each number is read
// digit by digit as value*10 + (code - 48) and wraps to 16 bits, so other
// characters make meaningless numbers rather than errors; such numbers are then
// caught by the range checks below.
//
// Construction throws InputError when
//  - the base text holds more than 32767 bases,
//  - the count of numbers is not a multiple of 3,
//  - a stem has k > r - l + 1 pairs,
//  - a stem with pairs reaches outside the sequence,
//  - a stem pairs (or unpairs) a base that an earlier stem already paired
//    differently, which would break partner[partner[i]] == i.
// Crossing stems that keep that invariant (pseudoknots) are accepted.
class CRnaStructure {
 public:
  static constexpr int kMaxLength = 32767;

  CRnaStructure(std::string_view sequenceText, std::string_view stemText);

  std::string sequence;   // the bases, without spaces
  std::string stemText;   // the stem text exactly as given
  std::vector<int16_t> partner;    // paired position, or the position itself
  std::vector<int16_t> pairIndex;  // pair number at right ends, else -1
  int16_t pairCount = 0;
  int16_t length = 0;

  bool IsPaired(int i) const { return partner[i] != i; }
};

// Throws InputError when two structures hold more than kMaxLength bases
// together: an alignment's column count and counts are 16-bit.
void CheckAlignableLengths(const CRnaStructure& first, const CRnaStructure& second);

}  // namespace zenphal
