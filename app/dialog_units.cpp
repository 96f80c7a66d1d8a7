#include "app/dialog_units.h"

#include <QFontMetrics>
#include <cmath>

namespace zenphal {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  averageCharWidth_ =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
  fontHeight_ = metrics.height();
}

int DialogUnits::X(int units) const { return static_cast<int>(std::lround(units * averageCharWidth_ / 4.0)); }

int DialogUnits::Y(int units) const { return static_cast<int>(std::lround(units * fontHeight_ / 8.0)); }

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
  const int left = X(x);
  const int top = Y(y);
  return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

}  // namespace zenphal
