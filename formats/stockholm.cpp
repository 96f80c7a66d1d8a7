#include "formats/stockholm.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "engine/errors.h"
#include "engine/rna_structure.h"
#include "formats/structure_pick.h"

namespace zenphal {
namespace {

using formats::AtLine;
using formats::Quoted;
using formats::TextLine;

constexpr std::string_view kGaps = ".-_~";
constexpr std::string_view kOpeners = "<([{";
constexpr std::string_view kClosers = ">)]}";
constexpr std::string_view kUnpaired = ".,:_-~";

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

bool IsHeader(std::string_view line) { return line.starts_with("# STOCKHOLM"); }

// Only digits, at most 9 of them: a position or an alignment number.
std::optional<size_t> Position(std::string_view s) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  return static_cast<size_t>(*formats::ReadInteger(s));
}

// Annotated text joined from the blocks, with where each stretch stands in
// the file, so that a column can be named by its line and column.
class Joined {
 public:
  void Append(int line, size_t columnInLine, std::string_view part) {
    stretches_.push_back({line, columnInLine, text.size()});
    text.append(part);
  }
  int FirstLine() const { return stretches_.empty() ? 0 : stretches_.front().line; }
  // "line 12, column 30" for a column of the joined text.
  std::string Where(size_t column) const {
    auto s = std::upper_bound(stretches_.begin(), stretches_.end(), column,
                              [](size_t c, const Stretch& stretch) { return c < stretch.from; });
    --s;  // the first stretch starts at 0, and column is within the text
    return "line " + std::to_string(s->line) + ", column " + std::to_string(s->columnInLine + column - s->from + 1);
  }

  std::string text;

 private:
  struct Stretch {
    int line;
    size_t columnInLine;  // from 0
    size_t from;          // its first column in text
  };
  std::vector<Stretch> stretches_;
};

// The pairs of a WUSS structure over its columns.
formats::PairTable WussPairs(const Joined& ss) {
  const std::string& s = ss.text;
  formats::PairTable partner(s.size(), -1);
  std::array<std::vector<int>, 4 + 26> open;  // the four brackets, then the letters
  const auto fail = [&](size_t at, const std::string& problem) {
    throw InputError(ss.Where(at) + ": " + Quoted(s.substr(at, 1)) + " " + problem);
  };
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    size_t kind = kOpeners.find(c);
    if (kind != std::string_view::npos || IsUpper(c)) {
      open[kind != std::string_view::npos ? kind : 4 + static_cast<size_t>(c - 'A')].push_back(static_cast<int>(i));
      continue;
    }
    kind = kClosers.find(c);
    if (kind == std::string_view::npos && IsLower(c)) kind = 4 + static_cast<size_t>(c - 'a');
    if (kind == std::string_view::npos) {
      if (kUnpaired.find(c) == std::string_view::npos) {
        fail(i, "is not a WUSS structure character (<> () [] {} Aa Bb ... pair; . , : _ - ~ do not)");
      }
      continue;
    }
    if (open[kind].empty()) {
      const char opener = kind < 4 ? kOpeners[kind] : static_cast<char>('A' + (kind - 4));
      fail(i, "closes no " + Quoted({&opener, 1}));
    }
    const int j = open[kind].back();
    open[kind].pop_back();
    partner[static_cast<size_t>(j)] = static_cast<int>(i);
    partner[i] = j;
  }
  // Report the unclosed one that stands first.
  int unclosed = -1;
  for (const auto& stack : open) {
    if (!stack.empty() && (unclosed < 0 || stack.front() < unclosed)) unclosed = stack.front();
  }
  if (unclosed >= 0) fail(static_cast<size_t>(unclosed), "is never closed");
  return partner;
}

struct SequenceBuild {
  std::string name;
  Joined row;
  Joined ss;
};

// One alignment while it is read.
class AlignmentBuild {
 public:
  explicit AlignmentBuild(int line) : line_(line) {}

  void EndBlock() {
    blockWidth_ = 0;
    blockWidthLine_ = 0;
    namesInBlock_.clear();
  }

  void Read(const TextLine& line) {
    const std::string_view text = line.text;
    const std::vector<std::string_view> f = formats::Fields(text);
    const auto columnOf = [&](std::string_view field) { return static_cast<size_t>(field.data() - text.data()); };
    if (f[0] == "#=GF") {
      if (f.size() < 3) return;  // a tag without text says nothing
      const std::string value(formats::Trim(text.substr(columnOf(f[2]))));
      if (f[1] == "ID" && id_.empty()) id_ = value;
      if (f[1] == "AC" && accession_.empty()) accession_ = value;
    } else if (f[0] == "#=GC") {
      if (f.size() < 2 || f[1] != "SS_cons") return;
      if (f.size() != 3) Fail(line.number, "a #=GC SS_cons line is the tag and one word of structure; found " +
                                               std::to_string(f.size() - 2) + " words");
      CheckWidth(line.number, f[2].size(), "SS_cons");
      ssCons_.Append(line.number, columnOf(f[2]), f[2]);
    } else if (f[0] == "#=GR") {
      if (f.size() < 2) Fail(line.number, "a #=GR line names a sequence");
      const auto it = index_.find(std::string(f[1]));
      if (it == index_.end()) {
        Fail(line.number, "#=GR names " + Quoted(f[1]) + ", which is no sequence of the alignment above it");
      }
      if (f.size() < 3 || f[2] != "SS") return;
      if (f.size() != 4) {
        Fail(line.number, "a #=GR SS line is the name, the tag and one word of structure; found " +
                              std::to_string(f.size() - 3) + " words");
      }
      CheckWidth(line.number, f[3].size(), "the SS line of " + Quoted(f[1]));
      sequences_[it->second].ss.Append(line.number, columnOf(f[3]), f[3]);
    } else if (f[0].front() == '#') {
      // #=GS lines and comments.
    } else {
      ReadRow(line, f, columnOf(f.size() > 1 ? f[1] : f[0]));
    }
  }

  StockholmAlignment Finish(int endLine) && {
    if (sequences_.empty()) Fail(endLine, "the alignment that begins at line " + std::to_string(line_) +
                                              " holds no sequences");
    StockholmAlignment a;
    a.line = line_;
    a.id = std::move(id_);
    a.accession = std::move(accession_);
    const size_t width = sequences_.front().row.text.size();
    const auto checkLength = [&](const Joined& j, const std::string& what) {
      if (j.text.size() == width) return;
      Fail(j.FirstLine(), what + " has " + std::to_string(j.text.size()) + " columns in all, but " +
                              Quoted(sequences_.front().name) + " (line " +
                              std::to_string(sequences_.front().row.FirstLine()) + ") has " + std::to_string(width));
    };
    for (SequenceBuild& s : sequences_) {
      checkLength(s.row, Quoted(s.name));
      StockholmSequence out{s.name, std::move(s.row.text), {}, {}, s.row.FirstLine()};
      if (!s.ss.text.empty()) {
        checkLength(s.ss, "the SS line of " + Quoted(s.name));
        out.pairs = WussPairs(s.ss);
        out.ss = std::move(s.ss.text);
      }
      a.sequences.push_back(std::move(out));
    }
    if (!ssCons_.text.empty()) {
      checkLength(ssCons_, "SS_cons");
      a.consensusPairs = WussPairs(ssCons_);
      a.ssCons = std::move(ssCons_.text);
    }
    return a;
  }

  int Line() const { return line_; }

 private:
  [[noreturn]] static void Fail(int line, const std::string& message) { throw InputError(AtLine(line, message)); }

  void ReadRow(const TextLine& line, const std::vector<std::string_view>& f, size_t rowColumn) {
    if (f.size() != 2) {
      Fail(line.number, "a sequence line is a name and its aligned row; found " + std::to_string(f.size()) +
                            (f.size() == 1 ? " field" : " fields"));
    }
    const std::string name(f[0]);
    if (!namesInBlock_.insert(name).second) {
      Fail(line.number, Quoted(name) + " has a second row in the same block");
    }
    CheckWidth(line.number, f[1].size(), "the row of " + Quoted(name));
    auto [it, added] = index_.try_emplace(name, sequences_.size());
    if (added) sequences_.push_back({name, {}, {}});
    sequences_[it->second].row.Append(line.number, rowColumn, f[1]);
  }

  // Every line of a block holds the same stretch of columns.
  void CheckWidth(int line, size_t width, const std::string& what) {
    if (blockWidthLine_ == 0) {
      blockWidth_ = width;
      blockWidthLine_ = line;
    } else if (width != blockWidth_) {
      Fail(line, what + " has " + std::to_string(width) + " columns, but line " + std::to_string(blockWidthLine_) +
                     " of the same block has " + std::to_string(blockWidth_));
    }
  }

  int line_;
  std::string id_, accession_;
  std::vector<SequenceBuild> sequences_;
  std::unordered_map<std::string, size_t> index_;
  Joined ssCons_;
  size_t blockWidth_ = 0;
  int blockWidthLine_ = 0;  // 0 until a line of the block has set the width
  std::unordered_set<std::string> namesInBlock_;
};

// Every sequence a selector may name, by the rules of PickStockholmSequence
// (stockholm.h).
struct Resolution {
  std::vector<StockholmPick> picks;
  std::string familyWithoutMember;  // "tRNA has no sequence 'x'", for the message when nothing matched
};

std::optional<size_t> FindFamily(const std::vector<StockholmAlignment>& alignments, std::string_view family,
                                 std::string* problem) {
  std::vector<size_t> named;
  for (size_t a = 0; a < alignments.size(); ++a) {
    if (alignments[a].id == family || alignments[a].accession == family) named.push_back(a);
  }
  if (named.size() == 1) return named.front();
  if (named.size() > 1) {
    if (problem) {
      *problem = Quoted(family) + " names " + std::to_string(named.size()) + " alignments (lines " +
                 std::to_string(alignments[named[0]].line) + " and " + std::to_string(alignments[named[1]].line) +
                 "); name one by its number in the file (1 to " + std::to_string(alignments.size()) + ")";
    }
    return std::nullopt;
  }
  if (const auto k = Position(family); k && *k >= 1 && *k <= alignments.size()) return *k - 1;
  if (problem) {
    std::string known;
    for (size_t a = 0; a < alignments.size() && a < 6; ++a) known += (a ? ", " : "") + alignments[a].Title();
    if (alignments.size() > 6) known += ", ...";
    *problem = "no alignment has the ID or AC " + Quoted(family) + " (the file holds " + known + ")";
  }
  return std::nullopt;
}

std::optional<size_t> FindMember(const StockholmAlignment& alignment, std::string_view member) {
  if (const size_t s = alignment.Find(member); s != std::string::npos) return s;
  if (const auto k = Position(member); k && *k >= 1 && *k <= alignment.sequences.size()) return *k - 1;
  return std::nullopt;
}

// The k-th sequence of the file, from 1, counting through the alignments.
std::optional<StockholmPick> NthSequence(const std::vector<StockholmAlignment>& alignments, size_t k) {
  if (k == 0) return std::nullopt;
  for (size_t a = 0; a < alignments.size(); ++a) {
    if (k <= alignments[a].sequences.size()) return StockholmPick{a, k - 1};
    k -= alignments[a].sequences.size();
  }
  return std::nullopt;
}

Resolution Resolve(const std::vector<StockholmAlignment>& alignments, std::string_view selector) {
  Resolution r;
  const auto add = [&r](StockholmPick p) {
    const bool known = std::any_of(r.picks.begin(), r.picks.end(), [&](const StockholmPick& q) {
      return q.alignment == p.alignment && q.sequence == p.sequence;
    });
    if (!known) r.picks.push_back(p);
  };
  // The whole selector as a name, in any alignment.
  for (size_t a = 0; a < alignments.size(); ++a) {
    if (const size_t s = alignments[a].Find(selector); s != std::string::npos) add({a, s});
  }
  // FAMILY#MEMBER, at every '#'.
  for (size_t hash = selector.find('#'); hash != std::string_view::npos; hash = selector.find('#', hash + 1)) {
    const std::string_view family = selector.substr(0, hash), member = selector.substr(hash + 1);
    if (family.empty() || member.empty()) continue;
    const auto a = FindFamily(alignments, family, nullptr);
    if (!a) continue;
    if (const auto s = FindMember(alignments[*a], member)) {
      add({*a, *s});
    } else if (r.familyWithoutMember.empty()) {
      const size_t n = alignments[*a].sequences.size();
      r.familyWithoutMember = alignments[*a].Title() + " has no sequence named " + Quoted(member) + " (it holds " +
                              std::to_string(n) + (n == 1 ? " sequence)" : " sequences)");
    }
  }
  // K: the K-th sequence of the file, when nothing is named so.
  if (r.picks.empty()) {
    if (const auto k = Position(selector)) {
      if (const auto p = NthSequence(alignments, *k)) add(*p);
    }
  }
  return r;
}

size_t SequenceCount(const std::vector<StockholmAlignment>& alignments) {
  size_t n = 0;
  for (const StockholmAlignment& a : alignments) n += a.sequences.size();
  return n;
}

}  // namespace

bool IsStockholmGap(char c) { return kGaps.find(c) != std::string_view::npos; }

size_t StockholmAlignment::Find(std::string_view name) const {
  for (size_t s = 0; s < sequences.size(); ++s) {
    if (sequences[s].name == name) return s;
  }
  return std::string::npos;
}

std::string StockholmAlignment::Title() const {
  if (!id.empty()) return id;
  if (!accession.empty()) return accession;
  return "the alignment at line " + std::to_string(line);
}

std::vector<StockholmAlignment> ReadStockholm(std::string_view text) {
  std::vector<StockholmAlignment> alignments;
  std::optional<AlignmentBuild> current;
  for (const TextLine& line : formats::SplitLines(text)) {
    const std::string_view t = formats::Trim(line.text);
    if (!current) {
      if (t.empty()) continue;
      if (IsHeader(t)) {
        current.emplace(line.number);
        continue;
      }
      throw InputError(AtLine(line.number, alignments.empty()
                                               ? "a Stockholm file begins with '# STOCKHOLM 1.0', not " + Quoted(t)
                                               : "after '//' only another '# STOCKHOLM 1.0' may follow, not " +
                                                     Quoted(t)));
    }
    if (t.empty()) {
      current->EndBlock();
    } else if (t == "//") {
      alignments.push_back(std::move(*current).Finish(line.number));
      current.reset();
    } else if (IsHeader(t)) {
      throw InputError(AtLine(line.number, "a new alignment begins before the one at line " +
                                               std::to_string(current->Line()) + " has ended with '//'"));
    } else {
      current->Read(line);
    }
  }
  if (current) {
    throw InputError(AtLine(current->Line(), "the alignment that begins here has no closing '//' line"));
  }
  if (alignments.empty()) throw InputError("no alignment: a Stockholm file begins with '# STOCKHOLM 1.0'");
  return alignments;
}

StructureRead StockholmStructure(const StockholmAlignment& alignment, size_t sequence) {
  const StockholmSequence& seq = alignment.sequences.at(sequence);
  const bool own = !seq.ss.empty();
  if (!own && alignment.ssCons.empty()) {
    throw InputError(Quoted(seq.name) + " (line " + std::to_string(seq.line) +
                     ") has no structure: the alignment has neither a #=GC SS_cons line nor a #=GR " + seq.name +
                     " SS line");
  }
  const formats::PairTable& columnPairs = own ? seq.pairs : alignment.consensusPairs;
  std::vector<int> position(seq.row.size(), -1);
  StructureRead read;
  for (size_t c = 0; c < seq.row.size(); ++c) {
    if (IsStockholmGap(seq.row[c])) continue;
    position[c] = static_cast<int>(read.bases.size());
    read.bases.push_back(seq.row[c]);
  }
  if (read.bases.empty()) {
    throw InputError(AtLine(seq.line, Quoted(seq.name) + " holds only gaps: no bases to align"));
  }
  if (read.bases.size() > static_cast<size_t>(CRnaStructure::kMaxLength)) {
    throw InputError(AtLine(seq.line, Quoted(seq.name) + " has " + std::to_string(read.bases.size()) +
                                          " bases; at most " + std::to_string(CRnaStructure::kMaxLength) +
                                          " are supported"));
  }
  formats::PairTable partner(read.bases.size(), -1);
  int pairs = 0, dropped = 0;
  for (size_t c = 0; c < columnPairs.size(); ++c) {
    const int d = columnPairs[c];
    if (d <= static_cast<int>(c)) continue;
    ++pairs;
    const int i = position[c], j = position[static_cast<size_t>(d)];
    if (i < 0 || j < 0) {
      ++dropped;
      continue;
    }
    partner[static_cast<size_t>(i)] = j;
    partner[static_cast<size_t>(j)] = i;
  }
  read.stems = formats::StemTextFromPairs(partner);
  read.format = StructureFormat::kStockholm;
  read.structureCount = static_cast<int>(alignment.sequences.size());
  read.structureUsed = static_cast<int>(sequence) + 1;
  if (dropped > 0) {
    read.notes.push_back(std::to_string(dropped) + " of the " + std::to_string(pairs) + " pairs of " +
                         (own ? "its SS line" : "SS_cons") + " dropped: a partner column is a gap in " + seq.name);
  }
  return read;
}

StockholmPick PickStockholmSequence(const std::vector<StockholmAlignment>& alignments, std::string_view selector) {
  if (selector.empty()) return {};
  const Resolution r = Resolve(alignments, selector);
  if (r.picks.size() == 1) return r.picks.front();
  if (r.picks.size() > 1) {
    std::string readings;
    for (size_t i = 0; i < r.picks.size() && i < 3; ++i) {
      const StockholmAlignment& a = alignments[r.picks[i].alignment];
      readings += (i ? " or " : "") + Quoted(a.sequences[r.picks[i].sequence].name) + " of " + a.Title();
    }
    throw InputError(Quoted(selector) + " could name " + readings + "; write it as FAMILY#NAME with a family that "
                     "holds it once, or FAMILY#K");
  }
  if (!r.familyWithoutMember.empty()) throw InputError(r.familyWithoutMember);
  const size_t total = SequenceCount(alignments);
  if (const auto k = Position(selector)) {
    if (*k == 0) throw InputError("no sequence is named '0'; sequences are numbered from 1");
    throw InputError("no sequence is named " + Quoted(selector) + ", and the file holds " + std::to_string(total) +
                     (total == 1 ? " sequence" : " sequences"));
  }
  throw InputError("no sequence is named " + Quoted(selector) +
                   (alignments.size() == 1 ? " in " + alignments.front().Title()
                                           : " in any of the " + std::to_string(alignments.size()) + " alignments") +
                   " (names are matched exactly, case and all)");
}

size_t PickStockholmAlignment(const std::vector<StockholmAlignment>& alignments, std::string_view family) {
  std::string problem;
  if (const auto a = FindFamily(alignments, family, &problem)) return *a;
  throw InputError(problem);
}

size_t PickStockholmMember(const StockholmAlignment& alignment, std::string_view member) {
  if (const auto s = FindMember(alignment, member)) return *s;
  const size_t n = alignment.sequences.size();
  if (Position(member)) {
    throw InputError(alignment.Title() + " holds " + std::to_string(n) + (n == 1 ? " sequence" : " sequences") +
                     " and none named " + Quoted(member) + "; sequences are numbered from 1");
  }
  throw InputError(alignment.Title() + " has no sequence named " + Quoted(member) +
                   " (names are matched exactly, case and all)");
}

std::string StockholmSelector(const std::vector<StockholmAlignment>& alignments, StockholmPick pick) {
  const StockholmAlignment& a = alignments.at(pick.alignment);
  const std::string& name = a.sequences.at(pick.sequence).name;
  const std::string number = std::to_string(pick.alignment + 1);
  std::vector<std::string> candidates = {name};
  if (!a.id.empty()) candidates.push_back(a.id + "#" + name);
  if (!a.accession.empty()) candidates.push_back(a.accession + "#" + name);
  candidates.push_back(number + "#" + name);
  for (const std::string& c : candidates) {
    const Resolution r = Resolve(alignments, c);
    if (r.picks.size() == 1 && r.picks[0].alignment == pick.alignment && r.picks[0].sequence == pick.sequence) {
      return c;
    }
  }
  return number + "#" + std::to_string(pick.sequence + 1);
}

StructureRead ReadStockholmText(std::string_view text, int structureNumber) {
  const std::vector<StockholmAlignment> alignments = ReadStockholm(text);
  const int total = static_cast<int>(std::min<size_t>(SequenceCount(alignments), 999999999));
  const int chosen = formats::ChosenStructure(structureNumber, total);
  const StockholmPick pick = *NthSequence(alignments, static_cast<size_t>(chosen));  // chosen is within total
  StructureRead read = StockholmStructure(alignments[pick.alignment], pick.sequence);
  read.structureCount = total;
  read.structureUsed = chosen;
  return read;
}

namespace formats {

bool LooksLikeStockholm(const std::vector<TextLine>& lines) {
  for (const TextLine& line : lines) {
    if (IsBlank(line.text)) continue;
    return IsHeader(Trim(line.text));
  }
  return false;
}

}  // namespace formats
}  // namespace zenphal
