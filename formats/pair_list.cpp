#include "formats/pair_list.h"

#include <cctype>

#include "engine/errors.h"
#include "formats/text_lines.h"

namespace zenphal {
namespace {

std::vector<std::string_view> TabFields(std::string_view line) {
  if (line.find('\t') == std::string_view::npos) return formats::Fields(line);
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    const std::string_view field = formats::Trim(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    fields.push_back(field);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  // Tabs at the end of a line (spreadsheets write them) add no fields.
  while (!fields.empty() && fields.back().empty()) fields.pop_back();
  return fields;
}

bool IsHeader(const std::vector<std::string_view>& f) {
  const auto lower = [](std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  };
  return (f.size() == 2 || f.size() == 3) && lower(f[0]) == "rna1" && lower(f[1]) == "rna2" &&
         (f.size() == 2 || lower(f[2]) == "name");
}

}  // namespace

std::vector<PairListEntry> ReadPairList(std::string_view text) {
  std::vector<PairListEntry> pairs;
  bool first = true;
  for (const formats::TextLine& line : formats::SplitLines(text)) {
    if (formats::IsBlank(line.text) || formats::IsCommentLine(line.text)) continue;
    const std::vector<std::string_view> f = TabFields(line.text);
    if (first && IsHeader(f)) {
      first = false;
      continue;
    }
    first = false;
    if (f.size() < 2 || f.size() > 3) {
      throw InputError(formats::AtLine(line.number, "a pair line is two structures and an optional name, separated "
                                                    "by tabs; found " + std::to_string(f.size()) +
                                                    (f.size() == 1 ? " field" : " fields")));
    }
    for (size_t i = 0; i < 2; ++i) {
      if (f[i].empty()) {
        throw InputError(formats::AtLine(line.number, std::string(i == 0 ? "the first" : "the second") +
                                                          " structure is empty"));
      }
    }
    PairListEntry entry{std::string(f[0]), std::string(f[1]), f.size() == 3 ? std::string(f[2]) : "", line.number};
    if (f.size() == 3) {
      if (const auto problem = PairNameProblem(entry.name)) {
        throw InputError(formats::AtLine(line.number, "the name " + formats::Quoted(entry.name) + " " + *problem));
      }
    }
    pairs.push_back(std::move(entry));
  }
  return pairs;
}

std::optional<std::string> PairNameProblem(std::string_view name) {
  if (name.empty()) return "is empty";
  if (name.size() > 200) return "is longer than 200 bytes";
  if (name.front() == '.') return "begins with '.'; such files are hidden";
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '/') return "holds '/'; it names files in the output folder, so it cannot hold a folder";
    if (u < 32 || u == 127) return "holds a control character";
  }
  return std::nullopt;
}

std::string FileNameToken(std::string_view text) {
  std::string token;
  for (const char c : text.substr(0, 100)) {
    const bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '+' || c == '-';
    token.push_back(keep && static_cast<unsigned char>(c) < 128 ? c : '_');
  }
  if (!token.empty() && token.front() == '.') token.front() = '_';
  return token;
}

}  // namespace zenphal
