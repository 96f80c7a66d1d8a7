#pragma once
// The progress dialog of a decomposition run, and the runner that keeps the
// windows alive while the search works.
#include <QDialog>

#include "engine/errors.h"

class QProgressBar;
class QPushButton;

namespace zenphal {

class Computation;

inline constexpr int kIdProgressBar = 1018;
inline constexpr int kIdProgressCancel = 2;

// A bar from 0 to 100 and a Cancel button. Cancel, Escape and the close box
// ask the run to stop (it stops at its next probe, within a fraction of a
// second); the dialog itself ends only when the run has ended.
class CProgressDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CProgressDlg(QWidget* parent = nullptr);

  void SetPosition(int percent);
  int Position() const;
  // Set once the user has asked the run to stop; for the run to read.
  const CancelFlag* CancelRequest() const { return &m_bCancelRequested; }
  void OnCancel();
  // Ends the dialog once the run has finished.
  void Finish();

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* m_progress;
  QPushButton* m_buttonCancel;
  bool m_finished = false;
  CancelFlag m_bCancelRequested{false};
};

// Runs computation.Run() on a worker thread while the progress dialog is
// shown modally, so every window keeps repainting and none takes input; the
// run's progress reaches the bar through the event loop. Returns when the run
// has ended and rethrows what it threw: Cancelled when the user cancelled
// it. The computation must not be touched by anything else meanwhile.
void RunWithProgress(Computation& computation, QWidget* owner);

}  // namespace zenphal
