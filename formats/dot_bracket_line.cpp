#include "formats/dot_bracket_line.h"

#include <array>
#include <string_view>
#include <vector>

#include "engine/errors.h"

namespace zenphal {

std::string ToDotBracketLine(const CRnaStructure& s) {
  constexpr std::string_view kOpeners = "([{<";
  constexpr std::string_view kClosers = ")]}>";
  std::string line(static_cast<size_t>(s.length), '.');
  // Per kind, the right ends of its pairs still open, innermost last. A new
  // pair (i, j) crosses a pair of the kind exactly when the innermost open
  // one closes before j.
  std::array<std::vector<int>, kOpeners.size()> open;
  std::vector<int> kindAt(static_cast<size_t>(s.length), -1);
  for (int i = 0; i < s.length; ++i) {
    const int j = s.partner[static_cast<size_t>(i)];
    if (j < i) {  // a right end: its pair is the innermost of its kind
      const int kind = kindAt[static_cast<size_t>(j)];
      open[static_cast<size_t>(kind)].pop_back();
      line[static_cast<size_t>(i)] = kClosers[static_cast<size_t>(kind)];
      continue;
    }
    if (j == i) continue;
    size_t kind = 0;
    while (kind < open.size() && !open[kind].empty() && open[kind].back() < j) ++kind;
    if (kind == open.size()) {
      throw InputError("the pairs cross too much for dot-bracket: the pair of bases " + std::to_string(i + 1) +
                       " and " + std::to_string(j + 1) + " crosses pairs of all four bracket kinds");
    }
    open[kind].push_back(j);
    kindAt[static_cast<size_t>(i)] = static_cast<int>(kind);
    line[static_cast<size_t>(i)] = kOpeners[kind];
  }
  return line;
}

}  // namespace zenphal
