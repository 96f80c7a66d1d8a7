#include "cli/batch_command.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "cli/batch_run.h"
#include "cli/commands.h"
#include "engine/errors.h"
#include "formats/input_file.h"
#include "formats/pair_list.h"
#include "formats/pairwise_reference.h"
#include "formats/read_structure.h"
#include "formats/stockholm.h"
#include "formats/structure_source.h"
#include "output/file_writer.h"

namespace zenphal::cli {
namespace {

// "I/N" with 1 <= I <= N.
std::pair<int, int> ReadShard(const std::string& text) {
  const size_t slash = text.find('/');
  const auto number = [](const std::string& s) -> int {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(s);
  };
  const int i = slash == std::string::npos ? 0 : number(text.substr(0, slash));
  const int n = slash == std::string::npos ? 0 : number(text.substr(slash + 1));
  if (i < 1 || n < 1 || i > n) {
    throw InputError("--shard: '" + text + "' is not I/N with 1 <= I <= N, such as 2/8 (the second of eight shards)");
  }
  return {i, n};
}

// The point of the robustness figure: "X,Y" inside the rectangle, or the
// rectangle's centre.
void ReadPoint(const std::string& at, BatchPlan& plan) {
  const ComputationInput& s = plan.scores;
  if (at.empty()) {
    plan.x = (s.mismatchFrom + s.mismatchTo) / 2.0f;
    plan.y = (s.gapFrom + s.gapTo) / 2.0f;
    return;
  }
  const auto [x, y] = SplitPair(InputField::kPointMismatch, at);
  plan.x = ReadScore(InputField::kPointMismatch, x);
  plan.y = ReadScore(InputField::kPointGap, y);
  if (plan.x < s.mismatchFrom || plan.x > s.mismatchTo || plan.y < s.gapFrom || plan.y > s.gapTo) {
    throw FieldError(InputField::kPointMismatch, at, "lies outside the score rectangle (--mismatch, --gap)");
  }
}

void PrintNotes(const StructureSource& source) {
  for (const std::string& note : source.notes) std::cerr << "zenphal-cli: " << note << "\n";
}

// Every pair of a Stockholm family's members (or of those --members names),
// in the order of the alignment.
void AllPairs(const BatchOptions& o, StructureFormat format, BatchPlan& plan) {
  if (format != StructureFormat::kAuto && format != StructureFormat::kStockholm) {
    throw InputError("--all-pairs takes a Stockholm file; --format " + o.format + " does not apply");
  }
  const SplitOperand split = SplitStructureOperand(o.allPairs);
  const std::string text = ReadInputFile(split.path);
  if (format != StructureFormat::kStockholm && DetectStructureFormat(text) != StructureFormat::kStockholm) {
    throw InputError(split.path + ": --all-pairs takes a Stockholm file (an alignment of a family's members, "
                     "beginning with '# STOCKHOLM 1.0')");
  }
  std::vector<StockholmAlignment> alignments;
  size_t family = 0;
  try {
    alignments = ReadStockholm(text);
    if (!split.selector.empty()) {
      family = PickStockholmAlignment(alignments, split.selector);
    } else if (alignments.size() > 1) {
      std::string titles;
      for (size_t a = 0; a < alignments.size() && a < 6; ++a) titles += (a ? ", " : "") + alignments[a].Title();
      throw InputError("holds " + std::to_string(alignments.size()) + " alignments (" + titles +
                       (alignments.size() > 6 ? ", ..." : "") + "); name one: " + split.path + "#FAMILY");
    }
  } catch (const InputError& e) {
    throw InputError(o.allPairs + ": " + e.what());
  }
  const StockholmAlignment& alignment = alignments[family];
  std::vector<size_t> members;
  for (const std::string& m : o.members) {
    try {
      members.push_back(PickStockholmMember(alignment, m));
    } catch (const InputError& e) {
      throw InputError("--members: " + std::string(e.what()));
    }
  }
  if (o.members.empty()) {
    for (size_t s = 0; s < alignment.sequences.size(); ++s) members.push_back(s);
  }
  std::sort(members.begin(), members.end());
  members.erase(std::unique(members.begin(), members.end()), members.end());
  if (members.size() < 2) {
    throw InputError(o.allPairs + ": " + std::to_string(members.size()) +
                     (members.size() == 1 ? " member makes" : " members make") + " no pair");
  }

  // File names from the members' names; names that clash get their position.
  std::vector<std::string> tokens;
  std::map<std::string, int> uses;
  for (size_t s : members) ++uses[tokens.emplace_back(FileNameToken(alignment.sequences[s].name))];
  for (size_t k = 0; k < members.size(); ++k) {
    if (uses[tokens[k]] > 1) tokens[k] += "_" + std::to_string(members[k] + 1);
  }
  // Kept whole: the members' pairs are compared with their alignment there.
  const auto shared = std::make_shared<const StockholmAlignment>(alignment);
  for (size_t s : members) {
    const std::string label = split.path + "#" + StockholmSelector(alignments, {family, s});
    StructureRead read;
    try {
      read = StockholmStructure(alignment, s);
    } catch (const InputError& e) {
      throw InputError(label + ": " + e.what());
    }
    StructureSource source{label, split.path, std::move(read.bases), std::move(read.stems), {}, alignment.sequences[s].name,
                           StockholmOrigin{shared, family, s}};
    for (const std::string& note : read.notes) source.notes.push_back(label + ": " + note);
    plan.sources.push_back(std::move(source));
  }
  for (size_t i = 0; i < members.size(); ++i) {
    for (size_t j = i + 1; j < members.size(); ++j) plan.pairs.push_back({tokens[i] + "~" + tokens[j], i, j, {}});
  }
}

// A file name made from an operand: the file's name without its folders,
// and the selector.
std::string OperandToken(const std::string& operand) {
  if (operand.starts_with("example:")) return FileNameToken(operand);
  const SplitOperand split = SplitStructureOperand(operand);
  const std::string file = std::filesystem::path(split.path).filename().string();
  return FileNameToken(split.selector.empty() ? file : file + "#" + split.selector);
}

// The pairs of a pair list, each structure loaded once.
void ListedPairs(const BatchOptions& o, StructureFormat format, BatchPlan& plan) {
  std::vector<PairListEntry> entries;
  try {
    entries = ReadPairList(ReadInputFile(o.pairList));
  } catch (const InputError& e) {
    throw InputError(o.pairList + ": " + e.what());
  }
  if (entries.empty()) throw InputError(o.pairList + ": the pair list holds no pairs");
  std::map<std::string, size_t> loaded;  // operand -> source
  std::map<std::string, int> names;      // name -> line
  const auto source = [&](const std::string& operand, int line) {
    const auto known = loaded.find(operand);
    if (known != loaded.end()) return known->second;
    try {
      plan.sources.push_back(LoadStructureSource(operand, format));
    } catch (const InputError& e) {
      throw InputError(o.pairList + ": line " + std::to_string(line) + ": " + e.what());
    } catch (const FileReadError& e) {
      throw InputError(o.pairList + ": line " + std::to_string(line) + ": " + e.what());
    }
    if (plan.sources.back().name.empty()) plan.sources.back().name = operand;
    return loaded[operand] = plan.sources.size() - 1;
  };
  for (const PairListEntry& e : entries) {
    const size_t first = source(e.rna1, e.line);
    const size_t second = source(e.rna2, e.line);
    const std::string name = e.name.empty() ? OperandToken(e.rna1) + "~" + OperandToken(e.rna2) : e.name;
    if (const auto [taken, added] = names.try_emplace(name, e.line); !added) {
      throw InputError(o.pairList + ": line " + std::to_string(e.line) + ": the pair's files would be named '" +
                       name + "', as those of line " + std::to_string(taken->second) +
                       (e.name.empty() ? "; give the pairs names of their own in a third column" : ""));
    }
    plan.pairs.push_back({name, first, second, {}});
  }
}

// Each pair's reference alignment: the pair's own in --reference, else the
// one of the Stockholm alignment both members come from, if any.
void FindReferences(const BatchOptions& o, BatchPlan& plan) {
  std::optional<ReferenceFile> file;
  if (!o.reference.empty()) {
    try {
      file = ReadReferenceFile(o.reference);
    } catch (const InputError& e) {
      throw InputError("--reference " + std::string(e.what()));
    }
  }
  for (BatchPair& pair : plan.pairs) {
    const StructureSource& a = plan.sources[pair.first];
    const StructureSource& b = plan.sources[pair.second];
    if (!file) {
      pair.reference = SharedAlignmentReference(a, b);
      continue;
    }
    try {
      pair.reference = FindPairwiseReference(*file, a, b);
    } catch (const InputError& e) {
      throw InputError("--reference " + std::string(e.what()) + " (pair " + pair.name + ")");
    }
  }
}

}  // namespace

void BatchCommand::Register(CLI::App& app) {
  BatchOptions& o = options_;
  command_ = app.add_subcommand("batch",
                                "Decompose many pairs (a pair list, or every pair of a Stockholm family) into an "
                                "output folder: one JSON document per pair and a summary table; resumable");
  command_->add_option("PAIRS", o.pairList,
                       "A pair list: two structures a line (as decompose takes them) and an optional name for the "
                       "pair's files, separated by tabs; '#' lines are comments");
  command_->add_option("--all-pairs", o.allPairs,
                       "Every pair of the members of a Stockholm family: FILE.sto, or FILE.sto#FAMILY (its #=GF ID "
                       "or AC, or its number) in a file holding several");
  command_->add_option("--members", o.members,
                       "Only these members of the --all-pairs family: names or numbers, separated by commas")
      ->delimiter(',');
  command_->add_option("--out,-o", o.out, "The output folder (created if missing)")->required();
  command_->add_option("--summary", o.summary,
                       "The summary table (default: OUT/summary.tsv, OUT/summary-I-of-N.tsv with --shard)");
  command_->add_option("--match", o.scores.match, "Match score")->capture_default_str();
  command_->add_option("--indel", o.scores.indel, "Indel score")->capture_default_str();
  o.mismatch = o.scores.mismatchFrom + "," + o.scores.mismatchTo;
  o.gap = o.scores.gapFrom + "," + o.scores.gapTo;
  command_->add_option("--mismatch", o.mismatch, "Mismatch score range FROM,TO")->capture_default_str();
  command_->add_option("--gap", o.gap, "Gap score range FROM,TO")->capture_default_str();
  command_->add_option("--at", o.at,
                       "The point X,Y of the robustness figure: the share of the rectangle where the alignment "
                       "optimal at X,Y stays optimal (default: the rectangle's centre)");
  command_->add_option("--jobs,-j", o.jobs,
                       "Pairs computed at once, each on one thread (1, the default, lets one pair use up to 4)")
      ->check(CLI::Range(1, 1024))
      ->capture_default_str();
  command_->add_option("--shard", o.shard,
                       "Only every N-th pair, starting with the I-th: I/N, for cluster job arrays");
  command_->add_option("--reference", o.reference,
                       "Compare each pair's optimal alignments with the pair's alignment in this Stockholm file "
                       "(FILE.sto, or FILE.sto#FAMILY; members found by name, else by their bases). Without it, "
                       "pairs of members of one Stockholm alignment (every --all-pairs pair) are compared with "
                       "their alignment there");
  command_->add_flag("--reports", o.reports, "Also write each pair's report of all optimal alignments, NAME.txt");
  command_->add_flag("--list", o.list, "List the pairs (of the shard) and whether they are done; compute nothing");
  command_->add_flag("--quiet,-q", o.quiet, "No progress on stderr");
  command_->add_option("--format", o.format, "Read the structure files as FORMAT (see decompose --help)")
      ->check(CLI::IsMember({"auto", "layout", "dot-bracket", "ct", "bpseq", "stockholm"}))
      ->capture_default_str();
}

int BatchCommand::Run() const { return RunBatch(options_); }

int RunBatch(const BatchOptions& o) {
  BatchPlan plan;
  ScoreTexts scores = o.scores;
  std::tie(scores.mismatchFrom, scores.mismatchTo) = SplitPair(InputField::kMismatchFrom, o.mismatch);
  std::tie(scores.gapFrom, scores.gapTo) = SplitPair(InputField::kGapFrom, o.gap);
  ReadScores(scores, plan.scores);
  ReadPoint(o.at, plan);
  const auto [shard, shards] = o.shard.empty() ? std::pair{1, 1} : ReadShard(o.shard);
  if (o.pairList.empty() == o.allPairs.empty()) {
    throw InputError(o.pairList.empty() ? "give a pair list (PAIRS) or --all-pairs FILE.sto"
                                        : "give a pair list (PAIRS) or --all-pairs FILE.sto, not both");
  }
  if (!o.members.empty() && o.allPairs.empty()) throw InputError("--members picks members of --all-pairs FILE.sto");

  const StructureFormat format = *StructureFormatFromName(o.format);
  if (o.allPairs.empty()) {
    ListedPairs(o, format, plan);
  } else {
    AllPairs(o, format, plan);
  }
  for (const StructureSource& source : plan.sources) PrintNotes(source);

  const size_t total = plan.pairs.size();
  if (shards > 1) {
    std::vector<BatchPair> mine;
    for (size_t k = static_cast<size_t>(shard - 1); k < total; k += static_cast<size_t>(shards)) {
      mine.push_back(plan.pairs[k]);
    }
    plan.pairs = std::move(mine);
    plan.shardText = "shard " + std::to_string(shard) + "/" + std::to_string(shards) + " of " +
                     std::to_string(total) + " pairs";
  }
  FindReferences(o, plan);
  plan.out = o.out;
  plan.summary = !o.summary.empty() ? o.summary
                 : shards > 1       ? (std::filesystem::path(o.out) / ("summary-" + std::to_string(shard) + "-of-" +
                                                                     std::to_string(shards) + ".tsv"))
                                    .string()
                                    : (std::filesystem::path(o.out) / "summary.tsv").string();
  plan.jobs = o.jobs;
  plan.reports = o.reports;
  plan.quiet = o.quiet;
  if (o.list) return ListBatchPlan(plan);

  std::error_code error;
  std::filesystem::create_directories(o.out, error);
  if (error) throw WriteError(o.out, "cannot create the folder", error.message());
  return RunBatchPlan(plan);
}

}  // namespace zenphal::cli
