#pragma once
// Line and field helpers shared by the structure file readers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenphal::formats {

struct TextLine {
  int number;             // from 1
  std::string_view text;  // without its line end
};

// Splits at CR LF, LF or a lone CR; a UTF-8 byte order mark at the start is
// dropped. A final line end adds no empty line. Views point into text.
std::vector<TextLine> SplitLines(std::string_view text);

bool IsBlank(std::string_view line);
std::string_view Trim(std::string_view s);

// Fields separated by runs of spaces and tabs.
std::vector<std::string_view> Fields(std::string_view line);

// A whole field of decimal digits with an optional leading '-' or '+'.
// Values beyond +-999999999 come back clamped to that, so callers' range
// checks reject them without overflow.
std::optional<int64_t> ReadInteger(std::string_view field);

// A line whose first non-blank character is '#': a comment in all three
// file formats.
bool IsCommentLine(std::string_view line);

// A whole number written for a message.
inline std::string Number(int64_t v) { return std::to_string(v); }

// "line 5: " + message.
std::string AtLine(int line, const std::string& message);

// A field quoted for a message, cut to 20 characters and with control
// characters shown as '?'.
std::string Quoted(std::string_view field);

}  // namespace zenphal::formats
