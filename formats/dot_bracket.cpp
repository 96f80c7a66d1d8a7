#include "formats/dot_bracket.h"

#include <array>

#include "engine/errors.h"
#include "engine/rna_structure.h"
#include "formats/pair_table.h"
#include "formats/structure_pick.h"

namespace zenphal {
namespace {

using formats::AtLine;
using formats::Quoted;
using formats::TextLine;

constexpr std::string_view kOpeners = "([{<";
constexpr std::string_view kClosers = ")]}>";

bool IsDotBracketChar(char c) {
  return c == '.' || kOpeners.find(c) != std::string_view::npos || kClosers.find(c) != std::string_view::npos;
}

bool IsNameLine(std::string_view line) {
  const std::string_view t = formats::Trim(line);
  return !t.empty() && t.front() == '>';
}

// A number at the start of s: [-+]digits[.digits]. Returns its length, 0 when
// there is none.
size_t NumberLength(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  const size_t digitsFrom = i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  size_t digits = i - digitsFrom;
  if (i < s.size() && s[i] == '.') {
    const size_t fractionFrom = ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    digits += i - fractionFrom;
  }
  return digits == 0 ? 0 : i;
}

// "(-12.30)", "( -1.20)", "[-1.50]", "{-1.20 d=2.30}" or a bare "-12.30".
bool IsEnergy(std::string_view s) {
  const size_t open = std::string_view("([{").find(s.empty() ? ' ' : s.front());
  if (open == std::string_view::npos) return NumberLength(s) == s.size() && !s.empty();
  if (s.size() < 2 || s.back() != ")]}"[open]) return false;
  return NumberLength(formats::Trim(s.substr(1, s.size() - 2))) > 0;
}

// One structure: its optional name line and the lines up to the next name line.
struct Record {
  int nameLine = 0;  // 0 when the first structure has no name line
  std::vector<TextLine> body;  // lines that are neither blank nor comments
};

std::vector<Record> SplitRecords(const std::vector<TextLine>& lines) {
  std::vector<Record> records;
  for (const TextLine& line : lines) {
    if (formats::IsBlank(line.text) || formats::IsCommentLine(line.text)) continue;
    if (IsNameLine(line.text)) {
      records.push_back({line.number, {}});
    } else {
      if (records.empty()) records.push_back({0, {}});
      records.back().body.push_back(line);
    }
  }
  return records;
}

StructureRead ReadRecord(const Record& record) {
  if (record.body.empty()) throw InputError(AtLine(record.nameLine, "no sequence line follows the name line"));
  const TextLine& sequenceLine = record.body[0];
  const std::string_view sequence = formats::Trim(sequenceLine.text);
  if (formats::Fields(sequence).size() != 1) {
    throw InputError(AtLine(sequenceLine.number, "the sequence holds white space; it must be one word"));
  }
  if (sequence.size() > static_cast<size_t>(CRnaStructure::kMaxLength)) {
    throw InputError(AtLine(sequenceLine.number, "the sequence has " + std::to_string(sequence.size()) +
                                                     " bases; at most " +
                                                     std::to_string(CRnaStructure::kMaxLength) + " are supported"));
  }
  if (record.body.size() < 2) {
    throw InputError(AtLine(sequenceLine.number, "no structure line follows the sequence"));
  }

  const TextLine& structureLine = record.body[1];
  const std::string_view line = structureLine.text;
  const size_t from = line.find_first_not_of(" \t\v\f");  // not npos: the line is not blank
  size_t to = from;
  while (to < line.size() && IsDotBracketChar(line[to])) ++to;
  const auto column = [&](size_t at) { return ", column " + std::to_string(at + 1); };
  if (to < line.size() && line[to] != ' ' && line[to] != '\t') {
    std::string problem = Quoted(line.substr(to, 1)) + " is not a dot-bracket character (. ( ) [ ] { } < >)";
    if (to == from) problem = "the line after the sequence is not a dot-bracket structure: " + problem;
    throw InputError("line " + std::to_string(structureLine.number) + column(to) + ": " + problem);
  }
  const std::string_view structure = line.substr(from, to - from);
  const std::string_view after = formats::Trim(line.substr(to));
  if (!after.empty() && !IsEnergy(after)) {
    throw InputError(AtLine(structureLine.number, "unexpected text " + Quoted(after) +
                                                      " after the structure; only an energy such as (-12.30) "
                                                      "may follow it"));
  }
  if (structure.size() != sequence.size()) {
    throw InputError(AtLine(structureLine.number, "the structure has " + std::to_string(structure.size()) +
                                                      " characters but the sequence (line " +
                                                      std::to_string(sequenceLine.number) + ") has " +
                                                      std::to_string(sequence.size())));
  }

  formats::PairTable partner(structure.size(), -1);
  std::array<std::vector<int>, 4> open;  // one stack of positions per bracket kind
  for (size_t i = 0; i < structure.size(); ++i) {
    const char c = structure[i];
    if (const size_t kind = kOpeners.find(c); kind != std::string_view::npos) {
      open[kind].push_back(static_cast<int>(i));
    } else if (const size_t closeKind = kClosers.find(c); closeKind != std::string_view::npos) {
      if (open[closeKind].empty()) {
        throw InputError("line " + std::to_string(structureLine.number) + column(from + i) + ": " + Quoted({&c, 1}) +
                         " closes no " + Quoted(kOpeners.substr(closeKind, 1)));
      }
      const int j = open[closeKind].back();
      open[closeKind].pop_back();
      partner[static_cast<size_t>(j)] = static_cast<int>(i);
      partner[i] = j;
    }
  }
  // Report the unclosed bracket that stands first in the line.
  int unclosed = -1;
  for (const auto& stack : open) {
    if (!stack.empty() && (unclosed < 0 || stack.front() < unclosed)) unclosed = stack.front();
  }
  if (unclosed >= 0) {
    throw InputError("line " + std::to_string(structureLine.number) + column(from + static_cast<size_t>(unclosed)) +
                     ": " + Quoted(structure.substr(static_cast<size_t>(unclosed), 1)) + " is never closed");
  }

  StructureRead read;
  read.format = StructureFormat::kDotBracket;
  read.bases = std::string(sequence);
  read.stems = formats::StemTextFromPairs(partner);
  if (record.body.size() > 2) {
    const int first = record.body[2].number, last = record.body.back().number;
    read.notes.push_back(record.body.size() == 3
                             ? "line " + std::to_string(first) + " after the structure line is ignored"
                             : "lines " + std::to_string(first) + " to " + std::to_string(last) +
                                   " after the structure line are ignored");
  }
  return read;
}

}  // namespace

StructureRead ReadDotBracket(std::string_view text, int structureNumber) {
  const std::vector<Record> records = SplitRecords(formats::SplitLines(text));
  if (records.empty()) throw InputError("no sequence line: the text is empty or holds only comments");
  const int chosen = formats::ChosenStructure(structureNumber, static_cast<int>(records.size()));
  StructureRead result;
  for (size_t k = 0; k < records.size(); ++k) {
    StructureRead read = ReadRecord(records[k]);
    if (static_cast<int>(k) + 1 == chosen) result = std::move(read);
  }
  result.structureCount = static_cast<int>(records.size());
  result.structureUsed = chosen;
  return result;
}

namespace formats {

bool LooksLikeDotBracket(const std::vector<TextLine>& lines) {
  std::vector<std::string_view> meaningful;
  for (const TextLine& line : lines) {
    if (IsBlank(line.text) || formats::IsCommentLine(line.text)) continue;
    if (meaningful.empty() && IsNameLine(line.text)) continue;  // the optional name line
    meaningful.push_back(line.text);
    if (meaningful.size() == 2) break;
  }
  if (meaningful.size() < 2) return false;
  const char first = Trim(meaningful[1]).front();
  return first == '.' || kOpeners.find(first) != std::string_view::npos;
}

}  // namespace formats
}  // namespace zenphal
