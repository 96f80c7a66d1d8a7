#include "formats/help_form.h"

#include <cctype>
#include <string>
#include <vector>

namespace zenphal {
namespace {

std::string_view Trim(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

// "R=", "P =", ... as the Help page writes the sequence and the pairs.
std::string_view WithoutPrefix(std::string_view line, char letter) {
  if (line.size() >= 2 && std::toupper(static_cast<unsigned char>(line[0])) == letter) {
    const std::string_view rest = Trim(line.substr(1));
    if (!rest.empty() && rest.front() == '=') return Trim(rest.substr(1));
  }
  return line;
}

// A line that can only be a name: a letter that stands for no base or set of
// bases (IUPAC), or anything but letters and spaces.
bool IsNameLine(std::string_view line) {
  static constexpr std::string_view kBaseLetters = "ACGUTNRYKMSWBDHV";
  for (char c : line) {
    if (c == ' ' || c == '\t') continue;
    if (!std::isalpha(static_cast<unsigned char>(c))) return true;
    if (kBaseLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) == std::string_view::npos) {
      return true;
    }
  }
  return false;
}

bool IsBaseLine(std::string_view line) {
  bool any = false;
  for (char c : line) {
    if (c == ' ' || c == '\t') continue;
    if (!std::isalpha(static_cast<unsigned char>(c))) return false;
    any = true;
  }
  return any;
}

// The numbers of a line of stem numbers, or nullopt if it is not one.
std::optional<std::vector<std::string>> StemNumbers(std::string_view line) {
  std::vector<std::string> numbers;
  std::string current;
  for (char c : line) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      current += c;
    } else if (c == ' ' || c == '\t' || c == ',') {
      if (!current.empty()) numbers.push_back(std::move(current));
      current.clear();
    } else {
      return std::nullopt;
    }
  }
  if (!current.empty()) numbers.push_back(std::move(current));
  if (numbers.empty()) return std::nullopt;
  return numbers;
}

}  // namespace

std::optional<StructureRead> ReadSequenceAndStems(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  // The stem numbers: the last lines that are nothing else.
  std::vector<std::string> numbers;
  size_t baseEnd = lines.size();
  while (baseEnd > 0) {
    const auto more = StemNumbers(WithoutPrefix(lines[baseEnd - 1], 'P'));
    if (!more) break;
    numbers.insert(numbers.begin(), more->begin(), more->end());
    --baseEnd;
  }
  if (numbers.empty() || numbers.size() % 3 != 0 || baseEnd == 0) return std::nullopt;
  // The bases, after a name line if there is one.
  size_t baseStart = 0;
  if (lines[0].front() == '>' || (baseEnd > 1 && IsNameLine(WithoutPrefix(lines[0], 'R')))) baseStart = 1;
  StructureRead read;
  for (size_t i = baseStart; i < baseEnd; ++i) {
    const std::string_view line = WithoutPrefix(lines[i], 'R');
    if (!IsBaseLine(line)) return std::nullopt;
    for (char c : line) {
      if (c != ' ' && c != '\t') read.bases += c;
    }
  }
  if (read.bases.empty()) return std::nullopt;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) read.stems += ' ';
    read.stems += numbers[i];
  }
  read.format = StructureFormat::kLayout;
  return read;
}

}  // namespace zenphal
