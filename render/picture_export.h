#pragma once
// The decomposition picture as a file: PNG or SVG. Both hold exactly what the
// view shows for the decomposition (white background, frame, arrows,
// captions, the "Attention:" note, every edge), at the size
// DecompositionPictureSize gives, optionally with the publication labels.
// Needs a QGuiApplication (fonts); works on the "offscreen" platform.
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <optional>

namespace zenphal {

class CDecomposition;

enum class PictureFormat { kSvg, kPng };

// The format a file name asks for by its suffix (".svg", ".png", any case).
std::optional<PictureFormat> PictureFormatOfPath(const QString& path);

// The font exported pictures are drawn in: the given one (the view's) with
// its family resolved, so that an SVG names a font that exists rather than an
// alias such as "Sans Serif". Draws the same glyphs as the given font.
QFont PictureFont(const QFont& font);

// The picture in an RGB image at the screen's resolution: pixel for pixel
// what the view paints for the decomposition in the same font.
QImage DecompositionImage(const CDecomposition& decomposition, const QFont& font, bool labels);

// The file contents. The SVG is written by Qt's SVG generator: one
// <polyline> per listed edge (a <circle> where an edge's two ends map to the
// same pixel), texts as <text>, the size in millimetres at the screen's
// resolution and the view box in pixels.
QByteArray DecompositionPng(const CDecomposition& decomposition, const QFont& font, bool labels);
QByteArray DecompositionSvg(const CDecomposition& decomposition, const QFont& font, bool labels);
QByteArray DecompositionPicture(PictureFormat format, const CDecomposition& decomposition, const QFont& font,
                                bool labels);

}  // namespace zenphal
