#include "engine/aligner.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <string>
#include <thread>

#include "engine/errors.h"

namespace zenphal {

double CPointAligner::ScoreOf(const CAlignment& r) const {
  return static_cast<double>(matchScore) * r.matchCount - static_cast<double>(mismatchScore) * r.mismatchCount -
         static_cast<double>(indelScore) * r.indelCount - static_cast<double>(gapScore) * r.gapCount;
}

void CPointAligner::EqualScoreLine(ScoreLine& line, const CAlignment& a, const CAlignment& b) const {
  const float dM = static_cast<float>(a.matchCount - b.matchCount);
  const float dX = static_cast<float>(a.mismatchCount - b.mismatchCount);
  const float dI = static_cast<float>(a.indelCount - b.indelCount);
  const float dG = static_cast<float>(a.gapCount - b.gapCount);
  const double constantPart = static_cast<double>(dM) * matchScore - static_cast<double>(dI) * indelScore;
  if (dG == 0.0f) {
    line.vertical = true;
    line.xValue = static_cast<float>(constantPart / dX);
  } else {
    line.vertical = false;
    const double inverse = 1.0 / dG;
    line.slope = static_cast<float>((dX * -1.0) * inverse);
    line.intercept = static_cast<float>(constantPart * inverse);
  }
}

namespace {

// Below this many interior cells per Compute, waking helpers costs more than
// it saves.
constexpr long kCellsWorthThreads = 100000;
constexpr int kMaxDefaultThreads = 4;

}  // namespace

CAligner::CAligner(const CRnaStructure& first_, const CRnaStructure& second_, float matchScore_, float indelScore_)
    : CPointAligner(matchScore_, indelScore_), first(first_), second(second_), structures_(first_, second_) {
  const long combined = static_cast<long>(first.length) + second.length;
  if (combined > CRnaStructure::kMaxLength) {
    throw InputError("the two structures hold " + std::to_string(combined) + " bases together; at most " +
                     std::to_string(CRnaStructure::kMaxLength) + " can be aligned");
  }
  try {
    schedule_ = BuildPairSchedule(first, second);
    if (!schedule_.items.empty()) {
      pairScores_.assign(static_cast<size_t>(first.pairCount) * static_cast<size_t>(second.pairCount), 0.0f);
    }
    tables_.push_back(std::make_unique<CIntervalTables>(first.length, second.length, first.pairCount, second.pairCount));
  } catch (const std::bad_alloc&) {
    throw InputError("not enough memory for the alignment tables of " + std::to_string(first.length) + " x " +
                     std::to_string(second.length) + " bases");
  }
  context_.structures = &structures_;
  context_.pairScores = pairScores_.data();
}

CAligner::~CAligner() = default;

void CAligner::SetThreadCount(int threads) {
  if (threads == threads_) return;
  threads_ = threads;
  team_.reset();
  tables_.resize(1);
  teamTried_ = false;
}

int CAligner::ActiveThreads() const { return team_ ? team_->Helpers() + 1 : 1; }

size_t CAligner::TableBytes() const {
  size_t bytes = 0;
  for (const auto& t : tables_) bytes += t->Bytes();
  return bytes;
}

void CAligner::StartTeam() {
  teamTried_ = true;
  int threads = threads_;
  if (threads <= 0) {
    const int hardware = static_cast<int>(std::thread::hardware_concurrency());
    threads = std::clamp(hardware, 1, kMaxDefaultThreads);
  }
  if (threads <= 1 || (threads_ == 0 && schedule_.totalCells < kCellsWorthThreads)) return;
  // Without the memory or the threads, the calling thread does all the work.
  try {
    for (int t = 1; t < threads; ++t) {
      tables_.push_back(std::make_unique<CIntervalTables>(schedule_.largestInterior1, schedule_.largestInterior2,
                                                                first.pairCount, second.pairCount));
    }
    itemDone_ = std::vector<std::atomic<uint8_t>>(schedule_.items.size());
    team_ = std::make_unique<CFillTeam>(threads - 1);
  } catch (const std::exception&) {
    team_.reset();
    tables_.resize(1);
  }
}

void CAligner::Prepare() {
  context_.kernel = kernel_;
  context_.Prepare(mismatchScore, gapScore, matchScore, indelScore, std::max(first.length, second.length));
}

void CAligner::FillPairScores() {
  const std::vector<PairSchedule::Item>& items = schedule_.items;
  if (items.empty()) return;
  if (!teamTried_) StartTeam();
  if (!team_) {
    for (const PairSchedule::Item& item : items) pairScores_[static_cast<size_t>(item.entry)] = tables_[0]->Fill(context_, item.interval);
    return;
  }
  // Each thread takes the next item in list order and waits for its
  // predecessors. They come earlier in the list, taken by threads that never
  // wait on anything taken later, so this cannot deadlock.
  const int count = static_cast<int>(items.size());
  std::atomic<int> next{0};
  for (std::atomic<uint8_t>& flag : itemDone_) flag.store(0, std::memory_order_relaxed);
  team_->Run([&](int thread) {
    CIntervalTables& tables = *tables_[static_cast<size_t>(thread)];
    for (int n = next.fetch_add(1, std::memory_order_relaxed); n < count;
         n = next.fetch_add(1, std::memory_order_relaxed)) {
      const PairSchedule::Item& item = items[static_cast<size_t>(n)];
      for (int c = item.firstPredecessor; c < item.lastPredecessor; ++c) {
        CFillTeam::WaitUntilSet(itemDone_[static_cast<size_t>(schedule_.predecessors[static_cast<size_t>(c)])]);
      }
      pairScores_[static_cast<size_t>(item.entry)] = tables.Fill(context_, item.interval);
      itemDone_[static_cast<size_t>(n)].store(1, std::memory_order_release);
    }
  });
}

float CAligner::Align(const Interval& interval, AlignedRows& rows) {
  CIntervalTables& tables = *tables_[0];
  const float score = tables.Fill(context_, interval);
  std::string top, bottom;
  top.reserve(static_cast<size_t>(interval.Length1() + interval.Length2()));
  bottom.reserve(top.capacity());
  // Depth-first: emit a trace's columns up to its next interior, then the
  // interior's columns (re-filled and traced now), then go on.
  struct Frame {
    size_t column = 0;
    size_t interior = 0;
  };
  std::vector<Frame> frames(1);
  if (traceStack_.empty()) traceStack_.resize(1);
  tables.TraceBack(context_, interval, traceStack_[0]);
  while (!frames.empty()) {
    const size_t level = frames.size() - 1;
    Frame& frame = frames.back();
    const IntervalTrace& trace = traceStack_[level];
    const bool interiorLeft = frame.interior < trace.interiors.size();
    const size_t end = interiorLeft ? static_cast<size_t>(trace.interiors[frame.interior].column) : trace.top.size();
    top.append(trace.top, frame.column, end - frame.column);
    bottom.append(trace.bottom, frame.column, end - frame.column);
    frame.column = end;
    if (!interiorLeft) {
      frames.pop_back();
      continue;
    }
    const Interval inner = trace.interiors[frame.interior++].interval;
    if (traceStack_.size() < level + 2) traceStack_.resize(level + 2);
    tables.Fill(context_, inner);
    tables.TraceBack(context_, inner, traceStack_[level + 1]);
    frames.emplace_back();
  }
  rows.columnCount = static_cast<int16_t>(top.size());
  rows.topRow = std::move(top);
  rows.bottomRow = std::move(bottom);
  return score;
}

float CAligner::AlignIntervals(int start1, int end1, int start2, int end2, AlignedRows& rows) {
  Prepare();
  return Align(Interval{start1, end1, start2, end2}, rows);
}

void CAligner::Compute(CAlignment& record) {
  Prepare();
  FillPairScores();
  Align(Interval{0, first.length - 1, 0, second.length - 1}, record.rows);
  CountFeatures(first, second, record);
}

void CountFeatures(const CRnaStructure& s1, const CRnaStructure& s2, CAlignment& record) {
  const AlignedRows& rows = record.rows;
  int p1 = s1.length - 1;
  int p2 = s2.length - 1;
  long match = 0, mismatch = 0, indel = 0, pairMatchColumns = 0, pairMismatchColumns = 0, pairedInGaps = 0;
  for (size_t c = 0; c < rows.topRow.size(); ++c) {
    const bool topBase = rows.topRow[c] != '_';
    const bool bottomBase = rows.bottomRow[c] != '_';
    if ((topBase && p1 < 0) || (bottomBase && p2 < 0)) {
      throw InternalError("alignment rows hold more bases than the structures");
    }
    const int q1 = topBase ? p1-- : -1;
    const int q2 = bottomBase ? p2-- : -1;
    if (!topBase || !bottomBase) {
      ++indel;
      if (topBase && s1.IsPaired(q1)) ++pairedInGaps;
      if (bottomBase && s2.IsPaired(q2)) ++pairedInGaps;
      continue;
    }
    const bool paired1 = s1.IsPaired(q1);
    const bool paired2 = s2.IsPaired(q2);
    if (!paired1 && !paired2) {
      (s1.sequence[q1] == s2.sequence[q2] ? match : mismatch) += 1;
    } else if (paired1 && paired2) {
      if (s1.sequence[q1] == s2.sequence[q2] && s1.sequence[s1.partner[q1]] == s2.sequence[s2.partner[q2]]) {
        ++match;
        ++pairMatchColumns;
      } else {
        ++mismatch;
        ++pairMismatchColumns;
      }
    } else {
      throw InternalError("alignment column " + std::to_string(c) + " holds a paired base over an unpaired one");
    }
  }
  const auto gapRuns = [](const std::string& row) {
    long runs = 0;
    for (size_t c = 0; c < row.size(); ++c) {
      if (row[c] == '_' && (c == 0 || row[c - 1] != '_')) ++runs;
    }
    return runs;
  };
  record.matchCount = static_cast<int16_t>(match);
  record.mismatchCount = static_cast<int16_t>(mismatch);
  record.indelCount = static_cast<int16_t>(indel);
  record.gapCount = static_cast<int16_t>(gapRuns(rows.topRow) + gapRuns(rows.bottomRow));
  record.pairMatchCount = static_cast<int16_t>(pairMatchColumns / 2);
  record.pairMismatchCount = static_cast<int16_t>(pairMismatchColumns / 2);
  record.pairIndelCount = static_cast<int16_t>(pairedInGaps / 2);
}

}  // namespace zenphal
