#include "app/view_area.h"

#include <QScrollBar>
#include <QStyle>

#include "app/view.h"

namespace zenphal {

ViewArea::ViewArea(CZENPHView* view, QWidget* parent) : QScrollArea(parent), view_(view) {
  setObjectName(QStringLiteral("viewArea"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(view);
  connect(view, &CZENPHView::LayoutChanged, this, &ViewArea::FollowView);
  FollowView();
}

QSize ViewArea::sizeHint() const {
  const int frame = 2 * frameWidth();
  return view_->sizeHint() + QSize(frame, frame);
}

void ViewArea::resizeEvent(QResizeEvent* event) {
  FollowView();
  QScrollArea::resizeEvent(event);
}

void ViewArea::FollowView() {
  const bool fit = view_->Options().fitPicture;
  const Qt::ScrollBarPolicy policy = fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
  setHorizontalScrollBarPolicy(policy);
  setVerticalScrollBarPolicy(policy);
  QSize smallest(0, 0);
  if (!fit) {
    // Room without scroll bars; a bar across takes room along.
    const QSize room = maximumViewportSize();
    const QSize picture = view_->PictureSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool across = room.width() < view_->PlotWidth();
    bool down = room.height() < picture.height();
    if (across && !down) down = room.height() - bar < picture.height();
    if (down && !across) across = room.width() - bar < view_->PlotWidth();
    smallest = QSize(across ? picture.width() : 0, down ? picture.height() : 0);
  }
  if (view_->minimumSize() != smallest) view_->setMinimumSize(smallest);
}

}  // namespace zenphal
