#include "formats/pair_table.h"

#include "engine/errors.h"
#include "formats/text_lines.h"

namespace zenphal::formats {

std::optional<int> FirstOneSidedPair(const PairTable& partner) {
  for (size_t i = 0; i < partner.size(); ++i) {
    const int j = partner[i];
    if (j >= 0 && partner[static_cast<size_t>(j)] != static_cast<int>(i)) return static_cast<int>(i);
  }
  return std::nullopt;
}

void CheckPairsSymmetric(const PairTable& partner, const std::vector<int>& lineOf) {
  const auto i = FirstOneSidedPair(partner);
  if (!i) return;
  const int j = partner[static_cast<size_t>(*i)];
  const int back = partner[static_cast<size_t>(j)];
  const auto base = [](int position) { return std::to_string(position + 1); };
  throw InputError(AtLine(lineOf[static_cast<size_t>(*i)],
                          "base " + base(*i) + " pairs with " + base(j) + ", but base " + base(j) + " (line " +
                              std::to_string(lineOf[static_cast<size_t>(j)]) + ") pairs with " +
                              (back < 0 ? std::string("nothing") : base(back))));
}

std::string StemTextFromPairs(const PairTable& partner) {
  std::string text;
  const int n = static_cast<int>(partner.size());
  int i = 0;
  while (i < n) {
    const int r = partner[i];
    if (r <= i) {
      ++i;
      continue;
    }
    // The stem goes on while the next pair sits directly inside this one.
    int k = 1;
    while (i + k < r - k && partner[i + k] == r - k) ++k;
    if (!text.empty()) text.push_back(' ');
    text += std::to_string(i) + " " + std::to_string(r) + " " + std::to_string(k);
    i += k;
  }
  return text;
}

}  // namespace zenphal::formats
