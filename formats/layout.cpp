#include "formats/layout.h"

namespace zenphal {
namespace {

bool IsBaseLetter(char c) {
  switch (c) {
    case 'A': case 'C': case 'G': case 'U': case 'T':
    case 'a': case 'c': case 'g': case 'u': case 't':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<StructureTexts> SplitStructureText(std::string_view t, std::string* why) {
  const auto fail = [why](const char* message) -> std::optional<StructureTexts> {
    if (why) *why = message;
    return std::nullopt;
  };
  const size_t n = t.size();
  StructureTexts out;
  size_t i = 0;

  // Name line.
  size_t lf = t.find('\n', i);
  if (lf == std::string_view::npos) return fail("no line break after the name line");
  i = lf + 1;

  // Base part, up to the first '>'.
  for (; i < n && t[i] != '>'; ++i) {
    if (IsBaseLetter(t[i])) out.bases.push_back(t[i]);
  }
  if (i >= n) return fail("no '>' line after the bases");

  // First marker line.
  lf = t.find('\n', i);
  if (lf == std::string_view::npos) return fail("no line break after the first '>' line");
  i = lf + 1;
  if (i >= n) return fail("the text ends after the first '>' line");

  if (t[i] == '>') {
    lf = t.find('\n', i);
    if (lf == std::string_view::npos) return fail("no line break after the second '>' line");
    i = lf + 1;
    if (i >= n) return fail("the text ends after the second '>' line");
    if (t[i] == '>') return out;  // no stems
  }

  // Stem lines, each up to its line end, until a '>' line.
  while (true) {
    if (t[i] != ')') {
      const size_t close = t.find(')', i);
      if (close == std::string_view::npos) return fail("a stem line has no ')' after its label");
      i = close;
    }
    ++i;
    const size_t end = t.find_first_of("\r\n", i);
    if (end == std::string_view::npos) return fail("a stem line has no line end");
    out.stems.append(t.substr(i, end - i));
    out.stems.push_back(' ');
    // CR and the character after it, or a lone LF.
    i = end + (t[end] == '\r' ? 2 : 1);
    if (i >= n) return fail("no '>' line after the stem lines");
    if (t[i] == '>') return out;
  }
}

}  // namespace zenphal
