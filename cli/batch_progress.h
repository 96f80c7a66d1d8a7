#pragma once
// What zenphal-cli batch tells on stderr: on a terminal a progress bar redrawn
// in place, otherwise one line per finished pair; failures and warnings
// always, everything else not with --quiet. Safe to call from the workers.
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "decomposition/progress.h"
#include "output/pair_summary.h"

namespace zenphal::cli {

struct BatchPlan;

class BatchProgress {
 public:
  // Tells how many pairs there are, how many were done before, and how many
  // are to be computed by how many workers.
  BatchProgress(const BatchPlan& plan, int todo, int workers);

  void Started(int worker, const std::string& pair);
  // The decomposition's progress of one worker's pair, for the bar; none
  // when there is no bar.
  ProgressFactory PairProgress(int worker);
  void Finished(int worker, const PairSummary& summary);
  void Failed(int worker, const std::string& pair, const std::string& message);
  // The worker's pair ended without a result, told elsewhere.
  void Stopped(int worker);
  // Clears the bar.
  void End();
  // The closing line: what was done, and where the summary is.
  void Summary(int failures);

  // "12.3 s", "3:07", "1:02:03".
  static std::string Duration(double seconds);

 private:
  friend class WorkerProgress;
  void SetPercent(int worker, int percent);
  void Draw();       // the bar; with mutex_ held
  void Clear();      // the bar's line; with mutex_ held

  std::mutex mutex_;
  const bool bar_;    // stderr is a terminal, and not --quiet
  const bool quiet_;
  const int todo_;
  const int before_;  // pairs done by an earlier run
  const std::string summaryPath_;
  int finished_ = 0;
  int failed_ = 0;
  std::vector<int> percent_;  // per worker: its pair's progress, -1 when idle
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point drawn_;
};

}  // namespace zenphal::cli
