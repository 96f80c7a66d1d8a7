#pragma once
// How a decomposition run reports progress: shown at the start, set to a whole
// percentage (0 to 99) after each explored polygon, ended at the finish, then
// destroyed. The desktop application puts its progress dialog behind this,
// the command line a progress line.
#include <functional>
#include <memory>

namespace zenphal {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Show() = 0;
  // percent is the share of listed polygons explored, 0 to 99; polygons is
  // the number listed so far (more may follow).
  virtual void SetPosition(int percent, int polygons) = 0;
  virtual void End() = 0;
};

// Creates the progress display for one run; may return nullptr for none.
using ProgressFactory = std::function<std::unique_ptr<Progress>()>;

}  // namespace zenphal
