#pragma once
// The decomposition picture as the contents of a PNG or SVG file (the
// callers write them through the one file writer). Both hold exactly what the
// view shows for the decomposition (white background, frame, arrows,
// captions, the "Attention:" note, every edge), at the size
// DecompositionPictureSize gives, with what the options add (the region
// numbers and colours, the range and axis values).
// Needs a QGuiApplication (fonts); works on the "offscreen" platform.
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>
#include <optional>

#include "render/decomposition_picture.h"

namespace zenphal {

enum class PictureFormat { kSvg, kPng };

// The format a file name asks for by its suffix (".svg", ".png", any case).
std::optional<PictureFormat> PictureFormatOfPath(const QString& path);

// The font exported pictures are drawn in: the given one (the view's) with
// its family resolved, so that an SVG names a font that exists rather than an
// alias such as "Sans Serif". Draws the same glyphs as the given font.
QFont PictureFont(const QFont& font);

// The picture in an RGB image at the screen's resolution, at its own size
// (1:1): pixel for pixel what the view paints for the decomposition in the
// same font with the same options, unscaled.
QImage DecompositionImage(const CDecomposition& decomposition, const QFont& font, const PictureOptions& options);

// The file contents. The SVG is written by Qt's SVG generator: one
// <polyline> per listed edge (a <circle> where an edge's two ends map to the
// same pixel), texts as <text>, the size in millimetres at the screen's
// resolution and the view box in pixels. DecompositionPng throws
// InternalError when Qt cannot encode the image.
QByteArray DecompositionPng(const CDecomposition& decomposition, const QFont& font, const PictureOptions& options);
QByteArray DecompositionSvg(const CDecomposition& decomposition, const QFont& font, const PictureOptions& options);
QByteArray DecompositionPicture(PictureFormat format, const CDecomposition& decomposition, const QFont& font,
                                const PictureOptions& options);

// The same with the publication labels of `zenphal-cli --label` or without
// anything (PictureOptions::Labels).
inline QImage DecompositionImage(const CDecomposition& d, const QFont& font, bool labels) {
  return DecompositionImage(d, font, PictureOptions::Labels(labels));
}
inline QByteArray DecompositionSvg(const CDecomposition& d, const QFont& font, bool labels) {
  return DecompositionSvg(d, font, PictureOptions::Labels(labels));
}

}  // namespace zenphal
