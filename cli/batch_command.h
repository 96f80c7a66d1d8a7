#pragma once
// zenphal-cli batch: the decompositions of many pairs of structures, from a
// pair list or from every pair of a Stockholm family's members, one JSON
// document per pair in an output folder and a summary table; resumable,
// parallel on one machine (--jobs) and split into shards for cluster arrays
// (--shard).
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "computation/input.h"

namespace zenphal::cli {

struct BatchOptions {
  std::string pairList;              // a TSV of operand pairs, or empty
  std::string allPairs;              // FILE.sto[#FAMILY], or empty
  std::vector<std::string> members;  // names or numbers; empty: every member
  std::string out;                   // the output folder
  std::string summary;               // the summary table; empty: in the folder
  std::string format = "auto";
  ScoreTexts scores;
  std::string mismatch, gap;  // "FROM,TO"
  std::string at;             // "X,Y" of the robustness figure; empty: the centre
  std::string reference;      // FILE.sto[#FAMILY] holding the pairs' reference alignments, or empty
  int jobs = 1;
  std::string shard;          // "I/N", or empty for all pairs
  bool reports = false;       // also each pair's report, NAME.txt
  bool quiet = false;
  bool list = false;          // list the pairs and their state, compute nothing
};

class BatchCommand {
 public:
  void Register(CLI::App& app);
  bool Parsed() const { return command_ != nullptr && command_->parsed(); }
  int Run() const;

 private:
  CLI::App* command_ = nullptr;
  BatchOptions options_;
};

// Exit status 0 when every pair of the shard is done, 2 when a pair failed
// on its input, 1 on an internal error of a pair. Throws InputError,
// FieldError, FileReadError or WriteError for what stops the whole run
// (bad options or pair list, a structure that cannot be read, results of
// other input in the output folder, an output that cannot be written).
int RunBatch(const BatchOptions& options);

}  // namespace zenphal::cli
