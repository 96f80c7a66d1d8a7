#include "engine/rna_structure.h"

#include <string>

#include "engine/errors.h"

namespace zenphal {
namespace {

// Splits on runs of spaces only and reads each token digit by digit, wrapping
// to 16 bits as the stem notation has always been read.
std::vector<int16_t> ReadStemNumbers(std::string_view text) {
  std::vector<int16_t> numbers;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    uint16_t value = 0;
    while (i < text.size() && text[i] != ' ') {
      value = static_cast<uint16_t>(value * 10u + static_cast<uint16_t>(static_cast<unsigned char>(text[i]) - 48u));
      ++i;
    }
    numbers.push_back(static_cast<int16_t>(value));
  }
  return numbers;
}

std::string StemName(size_t stemNumber, int l, int r, int k) {
  return "stem " + std::to_string(stemNumber) + " (" + std::to_string(l) + " " + std::to_string(r) + " " +
         std::to_string(k) + ")";
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

  const std::vector<int16_t> numbers = ReadStemNumbers(stemText);
  if (numbers.size() % 3 != 0) {
    throw InputError("stem text holds " + std::to_string(numbers.size()) +
                     " numbers, not a multiple of 3 (left end, right end, number of pairs)");
  }
  // A stem may pair each base only where no earlier stem has paired it
  // differently; rewriting its own pairs (k beyond half the span) is fine.
  for (size_t s = 0; s < numbers.size(); s += 3) {
    const int l = numbers[s], r = numbers[s + 1], k = numbers[s + 2];
    const size_t stemNumber = s / 3 + 1;
    if (k > r - l + 1) {
      throw InputError(StemName(stemNumber, l, r, k) + " has more pairs than bases between its ends");
    }
    if (k <= 0) continue;
    if (l < 0 || r >= length) {
      throw InputError(StemName(stemNumber, l, r, k) + " lies outside the sequence of " + std::to_string(length) +
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
        throw InputError(StemName(stemNumber, l, r, k) + " pairs base " + std::to_string(clash) +
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
