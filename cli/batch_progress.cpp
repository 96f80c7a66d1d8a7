#include "cli/batch_progress.h"

#include <unistd.h>

#include <cstdio>

#include "cli/batch_run.h"

namespace zenphal::cli {

namespace {
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }
}  // namespace

// Passes one worker's decomposition progress on to the bar.
class WorkerProgress : public Progress {
 public:
  WorkerProgress(BatchProgress& batch, int worker) : batch_(batch), worker_(worker) {}
  void Show() override {}
  void SetPosition(int percent, int) override { batch_.SetPercent(worker_, percent); }
  void End() override {}

 private:
  BatchProgress& batch_;
  int worker_;
};

BatchProgress::BatchProgress(const BatchPlan& plan, int todo, int workers)
    : bar_(!plan.quiet && isatty(STDERR_FILENO)),
      quiet_(plan.quiet),
      todo_(todo),
      before_(static_cast<int>(plan.pairs.size()) - todo),
      summaryPath_(plan.summary),
      percent_(static_cast<size_t>(workers > 0 ? workers : 0), -1),
      start_(Clock::now()) {
  if (quiet_) return;
  const int pairs = static_cast<int>(plan.pairs.size());
  std::string line = "zenphal-cli: batch: " + std::to_string(pairs) + (pairs == 1 ? " pair" : " pairs");
  if (!plan.shardText.empty()) line += " (" + plan.shardText + ")";
  line += ": " + std::to_string(before_) + " done before, " + std::to_string(todo) + " to compute";
  if (todo > 0) line += workers == 1 ? ", one at a time" : ", " + std::to_string(workers) + " at a time";
  std::fprintf(stderr, "%s\n", line.c_str());
}

void BatchProgress::Started(int worker, const std::string&) {
  const std::lock_guard lock(mutex_);
  percent_[static_cast<size_t>(worker)] = 0;
  if (bar_) Draw();
}

ProgressFactory BatchProgress::PairProgress(int worker) {
  if (!bar_) return nullptr;
  return [this, worker] { return std::make_unique<WorkerProgress>(*this, worker); };
}

void BatchProgress::SetPercent(int worker, int percent) {
  const std::lock_guard lock(mutex_);
  percent_[static_cast<size_t>(worker)] = percent;
  // A few redraws a second are plenty.
  if (std::chrono::duration<double>(Clock::now() - drawn_).count() > 0.2) Draw();
}

void BatchProgress::Finished(int worker, const PairSummary& s) {
  const std::lock_guard lock(mutex_);
  ++finished_;
  percent_[static_cast<size_t>(worker)] = -1;
  if (bar_) Clear();
  if (s.incomplete) {
    std::fprintf(stderr, "zenphal-cli: warning: %s: the search hit one of its loop bounds; the decomposition may be "
                         "incomplete\n", s.pair.c_str());
  }
  if (!quiet_ && !bar_) {
    std::string agreement;
    if (s.bestAgreement) {
      char text[48];
      std::snprintf(text, sizeof text, ", best agreement %.4f", *s.bestAgreement);
      agreement = text;
    }
    std::fprintf(stderr, "zenphal-cli: batch: [%d/%d] %s: %d polygons, %ld probes, %s, robustness %.4f%s\n",
                 finished_ + failed_, todo_, s.pair.c_str(), s.polygons, s.probes, Duration(s.seconds).c_str(),
                 s.robustness, agreement.c_str());
  }
  if (bar_) Draw();
}

void BatchProgress::Failed(int worker, const std::string& pair, const std::string& message) {
  const std::lock_guard lock(mutex_);
  ++failed_;
  percent_[static_cast<size_t>(worker)] = -1;
  if (bar_) Clear();
  std::fprintf(stderr, "zenphal-cli: batch: %s: %s\n", pair.c_str(), message.c_str());
  if (bar_) Draw();
}

void BatchProgress::Stopped(int worker) {
  const std::lock_guard lock(mutex_);
  percent_[static_cast<size_t>(worker)] = -1;
}

void BatchProgress::End() {
  const std::lock_guard lock(mutex_);
  if (bar_) Clear();
}

void BatchProgress::Summary(int failures) {
  if (!quiet_) {
    std::fprintf(stderr, "zenphal-cli: batch: %d computed, %d done before, %d failed, in %s; summary: %s\n",
                 finished_, before_, failures, Duration(Since(start_)).c_str(), summaryPath_.c_str());
  }
  if (failures > 0) {
    std::fprintf(stderr, "zenphal-cli: batch: %d of %d %s failed; the same command computes %s again\n", failures,
                 todo_, todo_ == 1 ? "pair" : "pairs", failures == 1 ? "it" : "them");
  }
}

std::string BatchProgress::Duration(double seconds) {
  char text[32];
  if (seconds < 60.0) {
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  } else {
    const long s = static_cast<long>(seconds + 0.5);
    if (s < 3600) {
      std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    } else {
      std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    }
  }
  return text;
}

void BatchProgress::Draw() {
  drawn_ = Clock::now();
  double share = finished_ + failed_;
  int running = 0;
  for (int p : percent_) {
    if (p < 0) continue;
    ++running;
    share += p / 100.0;
  }
  const double fraction = todo_ > 0 ? share / todo_ : 1.0;
  constexpr int kWidth = 30;
  const int filled = static_cast<int>(fraction * kWidth);
  std::string bar(static_cast<size_t>(filled), '#');
  bar.resize(kWidth, '.');
  const double elapsed = Since(start_);
  std::string left;
  if (fraction > 0.02 && fraction < 1.0) left = ", about " + Duration(elapsed * (1.0 - fraction) / fraction) + " left";
  std::fprintf(stderr, "\r\033[Kbatch: [%s] %d/%d pairs, %d running, %s%s", bar.c_str(), finished_ + failed_, todo_,
               running, Duration(elapsed).c_str(), left.c_str());
  std::fflush(stderr);
}

void BatchProgress::Clear() {
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
}

}  // namespace zenphal::cli
