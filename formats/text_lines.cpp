#include "formats/text_lines.h"

namespace zenphal::formats {

std::vector<TextLine> SplitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<TextLine> lines;
  size_t start = 0;
  int number = 1;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({number, text.substr(start)});
      break;
    }
    lines.push_back({number++, text.substr(start, end - start)});
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
}  // namespace

bool IsBlank(std::string_view line) { return Trim(line).empty(); }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    if (IsSpace(line[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::optional<int64_t> ReadInteger(std::string_view field) {
  constexpr int64_t kClamp = 999999999;
  bool negative = false;
  if (!field.empty() && (field[0] == '-' || field[0] == '+')) {
    negative = field[0] == '-';
    field.remove_prefix(1);
  }
  if (field.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kClamp) value = kClamp;
  }
  return negative ? -value : value;
}

bool IsCommentLine(std::string_view line) {
  const std::string_view t = Trim(line);
  return !t.empty() && t.front() == '#';
}

std::string AtLine(int line, const std::string& message) { return "line " + std::to_string(line) + ": " + message; }

std::string Quoted(std::string_view field) {
  std::string out = "'";
  for (size_t i = 0; i < field.size() && i < 20; ++i) {
    const unsigned char c = static_cast<unsigned char>(field[i]);
    out.push_back(c < 32 || c == 127 ? '?' : field[i]);
  }
  if (field.size() > 20) out += "...";
  return out + "'";
}

}  // namespace zenphal::formats
