#include "app/progress_dlg.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <exception>
#include <thread>

#include "app/dialog_builder.h"
#include "computation/computation.h"

namespace zenphal {
namespace {

// Forwards the run's calls, made on the worker thread, to the dialog on the
// user-interface thread.
class ProgressRelay : public Progress {
 public:
  explicit ProgressRelay(CProgressDlg* dialog) : dialog_(dialog) {}
  void Show() override {}  // the dialog is already on screen
  void SetPosition(int percent, int) override {
    // Queued on the dialog: dropped if the dialog were gone.
    CProgressDlg* dialog = dialog_;
    QMetaObject::invokeMethod(dialog, [dialog, percent] { dialog->SetPosition(percent); }, Qt::QueuedConnection);
  }
  void End() override {}  // the runner ends the dialog when the thread is done

 private:
  CProgressDlg* dialog_;
};

}  // namespace

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Progress(This may need several minutes or longer, please wait.)"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  DialogBuilder b(this);
  b.SetSize(325, 75);
  m_progress = new QProgressBar(this);
  m_progress->setRange(0, 100);
  m_progress->setValue(0);
  m_progress->setTextVisible(false);
  b.Place(m_progress, kIdProgressBar, 41, 31, 232, 14);
  m_buttonCancel = b.Button(kIdProgressCancel, QStringLiteral("Cancel"), 137, 53, 50, 14);
  m_buttonCancel->setAutoDefault(false);
  connect(m_buttonCancel, &QPushButton::clicked, this, &CProgressDlg::OnCancel);
}

void CProgressDlg::OnCancel() {
  if (m_finished) return;
  m_bCancelRequested.store(true);
  m_buttonCancel->setEnabled(false);
  m_buttonCancel->setText(QStringLiteral("Cancelling..."));
}

void CProgressDlg::SetPosition(int percent) { m_progress->setValue(percent); }

int CProgressDlg::Position() const { return m_progress->value(); }

void CProgressDlg::Finish() {
  m_finished = true;
  done(0);
}

void CProgressDlg::reject() {
  if (m_finished) {
    QDialog::reject();
  } else {
    OnCancel();
  }
}

void CProgressDlg::closeEvent(QCloseEvent* event) {
  if (m_finished) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
    OnCancel();
  }
}

void RunWithProgress(Computation& computation, QWidget* owner) {
  CProgressDlg dialog(owner);
  dialog.setWindowModality(Qt::ApplicationModal);
  Computation::RunOptions options;
  options.progress = [&dialog] { return std::make_unique<ProgressRelay>(&dialog); };

  computation.SetCancelFlag(dialog.CancelRequest());
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      computation.Run(options);
    } catch (...) {
      failure = std::current_exception();
    }
    // Queued after every position, so the bar has shown them all.
    QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.Finish(); }, Qt::QueuedConnection);
  });
  dialog.exec();
  worker.join();
  computation.SetCancelFlag(nullptr);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace zenphal
