#pragma once
// Helpers for the desktop application's tests: answering modal dialogs that
// a command opens, and keeping the settings of a test run apart.
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "computation/computation.h"
#include "formats/example_table.h"

namespace zenphal::testing {

// Calls action once on the next modal dialog of type T to appear (polled
// from the event loop that the dialog's exec() runs). handled() says whether
// it came.
template <typename T>
class OnModal {
 public:
  explicit OnModal(std::function<void(T*)> action, int timeoutMs = 20000)
      : action_(std::move(action)), timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(5);
    const int limit = timeoutMs / 5;
    QObject::connect(timer_.get(), &QTimer::timeout, [this, limit] {
      if (++polls_ > limit) {
        timer_->stop();
        return;
      }
      T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      timer_->stop();
      handled_ = true;
      action_(dialog);
    });
    timer_->start();
  }
  bool handled() const { return handled_; }

 private:
  std::function<void(T*)> action_;
  std::unique_ptr<QTimer> timer_;
  int polls_ = 0;
  bool handled_ = false;
};

// Answers the next message box with its default button and keeps its text.
class MessageCatcher {
 public:
  MessageCatcher()
      : modal_([this](QMessageBox* box) {
          text_ = box->text();
          title_ = box->windowTitle();
          icon_ = box->icon();
          box->accept();
        }) {}
  bool caught() const { return modal_.handled(); }
  QString text() const { return text_; }
  QString title() const { return title_; }
  QMessageBox::Icon icon() const { return icon_; }

 private:
  QString text_;
  QString title_;
  QMessageBox::Icon icon_ = QMessageBox::NoIcon;
  OnModal<QMessageBox> modal_;
};

// Keeps the recent-file list of a test run in a folder of its own.
inline void UseTemporarySettings(const QTemporaryDir& dir) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
}

// A computation ready to run, as the dialogs hand one over.
inline std::unique_ptr<Computation> BuildComputation(const ComputationInput& input) {
  return std::make_unique<Computation>(input);
}

// Two short structures whose decomposition takes a moment only.
inline ComputationInput SmallInput(float mismatchTo = 2.0f, float gapTo = 2.0f) {
  ComputationInput in;
  in.bases1 = "AAGUCUAGGUCUCACU";
  in.stems1 = "1 5 2 7 12 1 8 10 1 13 15 1";
  in.bases2 = "AGGUCAAGUCUCAC";
  in.stems2 = "1 5 1 7 12 2";
  in.mismatchTo = mismatchTo;
  in.gapTo = gapTo;
  return in;
}

// Rows 5 and 6, the tRNAs, on the default rectangle.
inline ComputationInput TrnaInput() {
  ComputationInput in;
  in.bases1 = ExampleTable()[4].bases;
  in.stems1 = ExampleTable()[4].stems;
  in.bases2 = ExampleTable()[5].bases;
  in.stems2 = ExampleTable()[5].stems;
  return in;
}

}  // namespace zenphal::testing
