#pragma once
// The progress dialog of a decomposition run, and the runner that keeps the
// windows alive while the search works.
#include <QDialog>

class QProgressBar;

namespace zenphal {

class Computation;

inline constexpr int kIdProgressBar = 1018;

// A bar from 0 to 100 and no buttons. Its close box and Escape do nothing
// while a run is going on.
class CProgressDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CProgressDlg(QWidget* parent = nullptr);

  void SetPosition(int percent);
  int Position() const;
  // Ends the dialog once the run has finished.
  void Finish();

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* m_progress;
  bool m_finished = false;
};

// Runs computation.Run() on a worker thread while the progress dialog is
// shown modally, so every window keeps repainting and none takes input; the
// run's progress reaches the bar through the event loop. Returns when the run
// has ended and rethrows what it threw. The computation must not be touched
// by anything else meanwhile.
void RunWithProgress(Computation& computation, QWidget* owner);

}  // namespace zenphal
