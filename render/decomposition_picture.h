#pragma once
// The decomposition picture: the plot frame with its fill, the two axis
// arrows, the captions, the "Attention:" note and the edges of every polygon.
// Needs only QtGui, so it can draw onto a widget, an image or an SVG file.
#include <QColor>
#include <QSize>

#include "decomposition/decomposition.h"

class QPainter;
class QFontMetrics;

namespace zenphal {

// The frame fill; also the colour in which old edges are painted over.
inline const QColor kFrameFillColour{220, 220, 220};

// The whole picture in the painter's current font, texts in black, edges in
// black. Draws nothing behind the picture: the caller provides the background
// (the view's is the window colour, white). Leaves the painter as it was.
void DrawDecompositionPicture(QPainter& painter, const CDecomposition& decomposition);

// Every edge of every polygon, in list order, as a solid 2-pixel line in the
// given colour, mapped with the decomposition's own rectangle. Draws nothing
// when the rectangle gives no frame scale.
void DrawPolygonEdges(QPainter& painter, const QColor& colour, const CDecomposition& decomposition);

// The size, from the top left corner (0, 0), that holds the whole picture
// when its texts are drawn with the given font metrics; with labels, also the
// publication labels of DrawDecompositionLabels (picture_labels.h).
QSize DecompositionPictureSize(const QFontMetrics& metrics, bool labels = false);

}  // namespace zenphal
