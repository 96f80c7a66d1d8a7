#include "engine/fill/pair_schedule.h"

#include <algorithm>

namespace zenphal {

namespace {

struct PairInfo {
  int right;  // right end
  int level;
  std::vector<int> children;  // indices into the list of pairs
};

// Pairs in order of their right ends, with their nesting levels and children.
std::vector<PairInfo> PairLevels(const CRnaStructure& s) {
  std::vector<int> number(static_cast<size_t>(s.length), -1);
  std::vector<PairInfo> pairs;
  for (int i = 0; i < s.length; ++i) {
    const int left = s.partner[i];
    if (left >= i) continue;
    PairInfo info{i, 1, {}};
    // Pairs with both ends inside (crossing stems can leave one outside), the
    // outermost first: a pair is a child unless a child found before (with a
    // larger right end) contains it.
    for (int q = i - 1; q > left; --q) {
      if (s.partner[q] >= q || s.partner[q] <= left) continue;
      const PairInfo& inner = pairs[static_cast<size_t>(number[static_cast<size_t>(q)])];
      info.level = std::max(info.level, inner.level + 1);
      const bool contained = std::any_of(info.children.begin(), info.children.end(), [&](int c) {
        const PairInfo& child = pairs[static_cast<size_t>(c)];
        return s.partner[child.right] < s.partner[q] && q < child.right;
      });
      if (!contained) info.children.push_back(number[static_cast<size_t>(q)]);
    }
    number[static_cast<size_t>(i)] = static_cast<int>(pairs.size());
    pairs.push_back(std::move(info));
  }
  return pairs;
}

}  // namespace

PairSchedule BuildPairSchedule(const CRnaStructure& first, const CRnaStructure& second) {
  PairSchedule schedule;
  if (first.pairCount == 0 || second.pairCount == 0) return schedule;
  const std::vector<PairInfo> pairs1 = PairLevels(first);
  const std::vector<PairInfo> pairs2 = PairLevels(second);
  struct Ordered {
    int p, q;  // indices into pairs1, pairs2
    int wave;
    long cells;
  };
  std::vector<Ordered> ordered;
  ordered.reserve(pairs1.size() * pairs2.size());
  for (size_t p = 0; p < pairs1.size(); ++p) {
    const int interior1 = pairs1[p].right - first.partner[pairs1[p].right] - 1;
    for (size_t q = 0; q < pairs2.size(); ++q) {
      const int interior2 = pairs2[q].right - second.partner[pairs2[q].right] - 1;
      const long cells = static_cast<long>(interior1 + 1) * (interior2 + 1);
      ordered.push_back({static_cast<int>(p), static_cast<int>(q), pairs1[p].level + pairs2[q].level, cells});
      schedule.totalCells += cells;
    }
    schedule.largestInterior1 = std::max(schedule.largestInterior1, interior1);
  }
  for (const PairInfo& q : pairs2) {
    schedule.largestInterior2 = std::max(schedule.largestInterior2, q.right - second.partner[q.right] - 1);
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const Ordered& a, const Ordered& b) {
    return a.wave != b.wave ? a.wave < b.wave : a.cells > b.cells;
  });
  // Item number of each (p, q), for the lists of predecessors.
  std::vector<int> itemOf(pairs1.size() * pairs2.size());
  for (size_t n = 0; n < ordered.size(); ++n) {
    itemOf[static_cast<size_t>(ordered[n].p) * pairs2.size() + static_cast<size_t>(ordered[n].q)] = static_cast<int>(n);
  }
  for (const Ordered& o : ordered) {
    const PairInfo& p = pairs1[static_cast<size_t>(o.p)];
    const PairInfo& q = pairs2[static_cast<size_t>(o.q)];
    PairSchedule::Item item;
    item.interval = Interval{first.partner[p.right] + 1, p.right - 1, second.partner[q.right] + 1, q.right - 1};
    item.entry = first.pairIndex[p.right] * second.pairCount + second.pairIndex[q.right];
    item.cells = o.cells;
    item.firstPredecessor = static_cast<int>(schedule.predecessors.size());
    for (int c : p.children) {
      schedule.predecessors.push_back(itemOf[static_cast<size_t>(c) * pairs2.size() + static_cast<size_t>(o.q)]);
    }
    for (int d : q.children) {
      schedule.predecessors.push_back(itemOf[static_cast<size_t>(o.p) * pairs2.size() + static_cast<size_t>(d)]);
    }
    item.lastPredecessor = static_cast<int>(schedule.predecessors.size());
    schedule.items.push_back(item);
  }
  return schedule;
}

}  // namespace zenphal
