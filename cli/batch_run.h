#pragma once
// The run of zenphal-cli batch once its pairs are known: which are done
// already, the decompositions of the others on --jobs threads, each pair's
// files, progress, and the summary table.
#include <string>
#include <vector>

#include <optional>

#include "computation/input.h"
#include "formats/pairwise_reference.h"
#include "formats/structure_source.h"

namespace zenphal::cli {

struct BatchPair {
  std::string name;   // the stem of the pair's files in the output folder
  size_t first = 0;   // into BatchPlan::sources
  size_t second = 0;
  // The alignment to compare the pair's optimal alignments with: --reference,
  // or the one of the Stockholm alignment both come from; none otherwise.
  std::optional<PairwiseReference> reference;
};

struct BatchPlan {
  std::vector<StructureSource> sources;  // every structure once
  std::vector<BatchPair> pairs;          // the shard's pairs, in list order
  ComputationInput scores;               // scores and ranges; no structures
  float x = 0.0f, y = 0.0f;              // the robustness figure's point
  std::string out;                       // the output folder
  std::string summary;                   // the summary table's path
  std::string shardText;                 // "shard 2/4 of 180 pairs", or empty
  int jobs = 1;
  bool reports = false;
  bool quiet = false;
};

// The files of a pair: NAME.json (the decompose --json document),
// NAME.txt with --reports, and NAME.summary.json, written last: a pair is
// done when all of them are there and the summary's input is this plan's.
std::string PairJsonPath(const BatchPlan& plan, const BatchPair& pair);
std::string PairReportPath(const BatchPlan& plan, const BatchPair& pair);
std::string PairSummaryPath(const BatchPlan& plan, const BatchPair& pair);

// Prints "pair rna1 rna2 state" lines (state "done" or "to do") to stdout.
// Throws as RunBatchPlan does for results of other input.
int ListBatchPlan(const BatchPlan& plan);

// Computes every pair that is not done, writes the summary table, and
// returns the exit status (see RunBatch). Throws InputError when the output
// folder holds a pair's results for other input, and WriteError when an
// output cannot be written (after the pairs under way have finished).
int RunBatchPlan(const BatchPlan& plan);

}  // namespace zenphal::cli
