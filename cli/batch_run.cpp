#include "cli/batch_run.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

#include "cli/batch_progress.h"
#include "cli/commands.h"
#include "cli/interrupts.h"
#include "computation/computation.h"
#include "computation/outputs.h"
#include "computation/robustness.h"
#include "computation/run_agreement.h"
#include "engine/errors.h"
#include "formats/input_file.h"
#include "output/file_writer.h"
#include "output/pair_summary.h"

namespace zenphal::cli {
namespace {

using Clock = std::chrono::steady_clock;

std::string InFolder(const BatchPlan& plan, const std::string& file) {
  return (std::filesystem::path(plan.out) / file).string();
}

bool IsFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

PairInput InputOf(const BatchPlan& plan, const BatchPair& pair) {
  const StructureSource& a = plan.sources[pair.first];
  const StructureSource& b = plan.sources[pair.second];
  const ComputationInput& s = plan.scores;
  PairInput in{a.bases, a.stems, b.bases, b.stems, s.match, s.indel, s.mismatchFrom, s.mismatchTo,
               s.gapFrom, s.gapTo, plan.x, plan.y, {}, {}};
  if (pair.reference) {
    in.referenceTop = pair.reference->top;
    in.referenceBottom = pair.reference->bottom;
  }
  return in;
}

// The pair's summary when its files are all there and come from this input;
// nullopt when it is to be computed. Throws InputError when its summary
// cannot be read or comes from other input.
std::optional<PairSummary> DoneBefore(const BatchPlan& plan, const BatchPair& pair) {
  const std::string path = PairSummaryPath(plan, pair);
  if (!IsFile(path)) return std::nullopt;
  PairSummary stored;
  try {
    stored = ReadPairSummaryJson(ReadInputFile(path));
  } catch (const std::exception& e) {
    throw InputError(path + ": " + e.what() + "; remove it to compute the pair anew");
  }
  const PairInput now = InputOf(plan, pair);
  if (stored.input.referenceTop.empty() && !now.referenceTop.empty()) {
    // Computed before the agreement was measured, from the same input
    // otherwise: computed again, with it.
    PairInput withReference = stored.input;
    withReference.referenceTop = now.referenceTop;
    withReference.referenceBottom = now.referenceBottom;
    if (!PairInputDifference(withReference, now)) return std::nullopt;
  }
  if (const auto difference = PairInputDifference(stored.input, now)) {
    throw InputError(path + " holds a result of other input (" + *difference +
                     "); give another --out folder, or remove the pair's files to compute it anew");
  }
  if (!IsFile(PairJsonPath(plan, pair)) || (plan.reports && !IsFile(PairReportPath(plan, pair)))) {
    return std::nullopt;
  }
  // Named as now: the same structures may come from another spelling.
  stored.pair = pair.name;
  stored.rna1 = plan.sources[pair.first].label;
  stored.rna2 = plan.sources[pair.second].label;
  stored.member1 = plan.sources[pair.first].name;
  stored.member2 = plan.sources[pair.second].name;
  return stored;
}

std::vector<std::optional<PairSummary>> DoneBefore(const BatchPlan& plan) {
  std::vector<std::optional<PairSummary>> done;
  done.reserve(plan.pairs.size());
  for (const BatchPair& pair : plan.pairs) done.push_back(DoneBefore(plan, pair));
  return done;
}

// One pair: decompose, measure, write its files (the summary last).
PairSummary ComputePair(const BatchPlan& plan, const BatchPair& pair, ProgressFactory progress, int workers) {
  const StructureSource& a = plan.sources[pair.first];
  const StructureSource& b = plan.sources[pair.second];
  const Clock::time_point start = Clock::now();
  ComputationInput input = plan.scores;
  SetStructures(input, a, b);
  input.reference = pair.reference;
  Computation computation(std::move(input));
  computation.SetCancelFlag(InterruptFlag());
  Computation::RunOptions run;
  run.progress = std::move(progress);
  // Pairs side by side share the processor already.
  run.alignerThreads = workers > 1 ? 1 : 0;
  computation.Run(run);
  const PointRobustness robustness = RobustnessAt(computation, plan.x, plan.y);
  const std::optional<DecompositionAgreement> agreement = AgreementOfRun(computation);
  const std::chrono::duration<double> seconds = Clock::now() - start;

  PairSummary s;
  s.pair = pair.name;
  s.rna1 = a.label;
  s.rna2 = b.label;
  s.member1 = a.name;
  s.member2 = b.name;
  s.length1 = computation.First().length;
  s.length2 = computation.Second().length;
  s.polygons = computation.Decomposition().PolygonCount();
  s.probes = computation.Decomposition().AlignerCalls();
  s.seconds = seconds.count();
  s.incomplete = computation.Decomposition().Incomplete();
  s.pointPolygon = robustness.polygon + 1;
  s.robustness = robustness.share;
  s.optimalAtPoint = robustness.optimalPolygons;
  if (agreement) {
    s.hasReference = true;
    s.bestAgreement = agreement->summary.bestAgreement;
    s.agreementPolygon = agreement->summary.best + 1;
    s.nearBestShare = agreement->summary.nearBestShare;
  }
  s.input = InputOf(plan, pair);

  OutputSet files;
  files.Stage(PairJsonPath(plan, pair), DecompositionJsonText(computation, agreement ? &*agreement : nullptr));
  if (plan.reports) files.Stage(PairReportPath(plan, pair), AllAlignmentsText(computation));
  files.Stage(PairSummaryPath(plan, pair), PairSummaryJsonText(s));
  ThrowIfInterrupted();  // an interrupted pair leaves no files
  files.Commit();
  return s;
}

// What the workers share.
struct Shared {
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;  // guards the fields below
  std::optional<WriteError> writeError;
  int userFailures = 0;
  int internalFailures = 0;
};

void Work(const BatchPlan& plan, const std::vector<size_t>& todo, std::vector<std::optional<PairSummary>>& done,
          BatchProgress& progress, Shared& shared, int worker, int workers) {
  for (size_t k = shared.next++; k < todo.size() && !shared.stop && !InterruptFlag()->load();
       k = shared.next++) {
    const BatchPair& pair = plan.pairs[todo[k]];
    progress.Started(worker, pair.name);
    try {
      PairSummary s = ComputePair(plan, pair, progress.PairProgress(worker), workers);
      progress.Finished(worker, s);
      const std::lock_guard lock(shared.mutex);
      done[todo[k]] = std::move(s);
    } catch (const Cancelled&) {
      progress.Stopped(worker);  // interrupted: the pair is done next time
    } catch (const WriteError& e) {
      // The folder cannot take more results: finish what is under way, start
      // nothing new, and report this once the others have finished.
      progress.Stopped(worker);
      shared.stop = true;
      const std::lock_guard lock(shared.mutex);
      if (!shared.writeError) shared.writeError = e;
    } catch (const InputError& e) {
      progress.Failed(worker, pair.name, e.what());
      const std::lock_guard lock(shared.mutex);
      ++shared.userFailures;
    } catch (const std::exception& e) {
      progress.Failed(worker, pair.name, std::string("internal error: ") + e.what());
      const std::lock_guard lock(shared.mutex);
      ++shared.internalFailures;
    }
  }
}

void WriteSummary(const BatchPlan& plan, const std::vector<std::optional<PairSummary>>& done) {
  std::string table = SummaryTableHeader();
  for (const auto& s : done) {
    if (s) table += SummaryTableRow(*s);
  }
  WriteFileAtomically(plan.summary, table);
}

}  // namespace

std::string PairJsonPath(const BatchPlan& plan, const BatchPair& pair) { return InFolder(plan, pair.name + ".json"); }
std::string PairReportPath(const BatchPlan& plan, const BatchPair& pair) { return InFolder(plan, pair.name + ".txt"); }
std::string PairSummaryPath(const BatchPlan& plan, const BatchPair& pair) {
  return InFolder(plan, pair.name + ".summary.json");
}

int ListBatchPlan(const BatchPlan& plan) {
  const std::vector<std::optional<PairSummary>> done = DoneBefore(plan);
  std::string text = "pair\trna1\trna2\tstate\n";
  for (size_t k = 0; k < plan.pairs.size(); ++k) {
    const BatchPair& p = plan.pairs[k];
    text += p.name + "\t" + plan.sources[p.first].label + "\t" + plan.sources[p.second].label + "\t" +
            (done[k] ? "done" : "to do") + "\n";
  }
  WriteStdout(text);
  return 0;
}

int RunBatchPlan(const BatchPlan& plan) {
  std::vector<std::optional<PairSummary>> done = DoneBefore(plan);
  std::vector<size_t> todo;
  for (size_t k = 0; k < plan.pairs.size(); ++k) {
    if (!done[k]) todo.push_back(k);
  }
  // Every output before the work, so that a path that cannot be written is
  // reported at once.
  CheckCanWrite(plan.summary);
  if (!todo.empty()) CheckCanWrite(PairSummaryPath(plan, plan.pairs[todo.front()]));

  const int workers = static_cast<int>(std::min<size_t>(static_cast<size_t>(plan.jobs), todo.size()));
  BatchProgress progress(plan, static_cast<int>(todo.size()), workers);
  Shared shared;
  if (workers == 1) {
    Work(plan, todo, done, progress, shared, 0, workers);
  } else if (workers > 1) {
    std::vector<std::jthread> threads;
    for (int w = 0; w < workers; ++w) {
      threads.emplace_back([&, w] { Work(plan, todo, done, progress, shared, w, workers); });
    }
  }  // the threads join here
  progress.End();
  if (shared.writeError) throw *shared.writeError;
  WriteSummary(plan, done);
  if (InterruptFlag()->load()) {
    size_t finished = 0;
    for (const auto& d : done) finished += d ? 1 : 0;
    std::cerr << "zenphal-cli: interrupted; " << finished << " of " << plan.pairs.size()
              << " pairs are done and kept, the others have no files (run the same command again to resume)\n";
    return InterruptedExitStatus();
  }
  const int failures = shared.userFailures + shared.internalFailures;
  progress.Summary(failures);
  if (shared.internalFailures > 0) return 1;
  return failures > 0 ? 2 : 0;
}

}  // namespace zenphal::cli
