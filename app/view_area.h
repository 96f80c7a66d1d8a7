#pragma once
// The scrolled area of a document window that holds its view. At 1:1 it
// shows scroll bars over the whole picture once the window is too small for
// the plot (the frame, its axes and their values); a window wide enough for
// the plot but not for the "Attention:" note to its right shows the note cut,
// as the plain view always has. Fitted to the window, the view fills the
// area and no scroll bars show.
#include <QScrollArea>

namespace zenphal {

class CZENPHView;

class ViewArea : public QScrollArea {
  Q_OBJECT
 public:
  explicit ViewArea(CZENPHView* view, QWidget* parent = nullptr);

  // The view's own size hint: a document window opens as large as before
  // (a scroll area would otherwise ask for less).
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Sets the view's smallest size for the space the area has.
  void FollowView();

  CZENPHView* view_;
};

}  // namespace zenphal
