#pragma once
// Dialog units: the dialogs' layouts are given in units of the dialog font,
// a quarter of the average letter width across and an eighth of the font
// height down, so they keep their proportions whatever font the desktop uses.
#include <QFont>
#include <QRect>
#include <QSize>

namespace zenphal {

class DialogUnits {
 public:
  // Measures the font: the average width of the 52 letters A-Z, a-z, and
  // the font height, both in pixels.
  explicit DialogUnits(const QFont& font);

  int X(int units) const;  // horizontal dialog units to pixels, rounded
  int Y(int units) const;  // vertical dialog units to pixels, rounded
  // Converts the corners, so that adjacent rectangles stay adjacent.
  QRect Rect(int x, int y, int width, int height) const;
  QSize Size(int width, int height) const { return {X(width), Y(height)}; }

  double averageCharWidth() const { return averageCharWidth_; }
  int fontHeight() const { return fontHeight_; }

 private:
  double averageCharWidth_;
  int fontHeight_;
};

}  // namespace zenphal
