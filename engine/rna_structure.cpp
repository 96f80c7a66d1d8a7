#include "engine/rna_structure.h"

#include <string>

#include "engine/errors.h"

namespace zenphal {
namespace {

// Splits on runs of spaces only and reads each token digit by digit, wrapping
// to 16 bits as the stem notation has always been read. The tokens are kept
// as written, for messages: a wrapped value would name a number nobody typed.
struct StemNumbers {
  std::vector<int16_t> values;
  std::vector<std::string_view> tokens;
};

StemNumbers ReadStemNumbers(std::string_view text) {
  StemNumbers numbers;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const size_t start = i;
    uint16_t value = 0;
    while (i < text.size() && text[i] != ' ') {
      value = static_cast<uint16_t>(value * 10u + static_cast<uint16_t>(static_cast<unsigned char>(text[i]) - 48u));
      ++i;
    }
    numbers.values.push_back(static_cast<int16_t>(value));
    numbers.tokens.push_back(text.substr(start, i - start));
  }
  return numbers;
}

// "stem 2 (10 23 5)", the numbers as written (control characters as '?').
std::string StemName(const StemNumbers& numbers, size_t s) {
  std::string name = "stem " + std::to_string(s / 3 + 1) + " (";
  for (size_t t = s; t < s + 3; ++t) {
    if (t > s) name += ' ';
    for (char c : numbers.tokens[t]) name += static_cast<unsigned char>(c) < 32 ? '?' : c;
  }
  return name + ")";
}

}  // namespace

CRnaStructure::CRnaStructure(std::string_view sequenceText, std::string_view stemText_) : stemText(stemText_) {
  for (char c : sequenceText) {
    if (c != ' ') sequence.push_back(c);
  }
  if (sequence.size() > static_cast<size_t>(kMaxLength)) {
    throw InputError("structure has " + std::to_string(sequence.size()) + " bases; at most " +
                     std::to_string(kMaxLength) + " are supported");
  }
  length = static_cast<int16_t>(sequence.size());
  partner.resize(length);
  pairIndex.assign(length, -1);
  for (int i = 0; i < length; ++i) partner[i] = static_cast<int16_t>(i);

  const StemNumbers stems = ReadStemNumbers(stemText);
  const std::vector<int16_t>& numbers = stems.values;
  if (numbers.size() % 3 != 0) {
    throw InputError("stem text holds " + std::to_string(numbers.size()) +
                     " numbers, not a multiple of 3 (left end, right end, number of pairs)");
  }
  // A stem may pair each base only where no earlier stem has paired it
  // differently; rewriting its own pairs (k beyond half the span) is fine.
  for (size_t s = 0; s < numbers.size(); s += 3) {
    const int l = numbers[s], r = numbers[s + 1], k = numbers[s + 2];
    if (k > r - l + 1) {
      throw InputError(StemName(stems, s) + " has more pairs than bases between its ends");
    }
    if (k <= 0) continue;
    if (l < 0 || r >= length) {
      throw InputError(StemName(stems, s) + " lies outside the sequence of " + std::to_string(length) +
                       " bases (positions 0 to " + std::to_string(length - 1) + ")");
    }
    std::vector<int16_t> before(partner.begin() + l, partner.begin() + r + 1);
    for (int t = 0; t < k; ++t) {
      const int a = l + t, b = r - t;
      const auto pairedElsewhere = [&](int pos, int want) {
        const int16_t old = before[pos - l];
        return old != pos && old != want;
      };
      if (pairedElsewhere(a, b) || pairedElsewhere(b, a)) {
        const int clash = pairedElsewhere(a, b) ? a : b;
        throw InputError(StemName(stems, s) + " pairs base " + std::to_string(clash) +
                         ", which an earlier stem pairs with base " + std::to_string(before[clash - l]));
      }
      partner[a] = static_cast<int16_t>(b);
      partner[b] = static_cast<int16_t>(a);
    }
  }
  for (int i = 0; i < length; ++i) {
    if (partner[i] < i) pairIndex[i] = pairCount++;
  }
}

void CheckAlignableLengths(const CRnaStructure& first, const CRnaStructure& second) {
  const long combined = static_cast<long>(first.length) + second.length;
  if (combined > CRnaStructure::kMaxLength) {
    throw InputError("the two structures hold " + std::to_string(combined) + " bases together; at most " +
                     std::to_string(CRnaStructure::kMaxLength) + " can be aligned");
  }
}

}  // namespace zenphal
