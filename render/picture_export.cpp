#include "render/picture_export.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QSvgGenerator>

#include "decomposition/decomposition.h"
#include "engine/errors.h"
#include "render/decomposition_picture.h"

namespace zenphal {
namespace {

void Paint(QPainter& painter, const QSize& size, const CDecomposition& d, const QFont& font,
           const PictureOptions& options) {
  painter.setFont(font);
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  PictureOptions unscaled = options;
  unscaled.antialiased = false;  // the view's pixels at 1:1
  DrawDecompositionPicture(painter, d, unscaled);
}

// A new image has the screen's resolution, so the font's point size gives
// the same pixels as on the view; the SVG generator is set to it too.
QImage BlankImage(const QSize& size) { return QImage(size, QImage::Format_RGB32); }

int ScreenDpi() { return BlankImage(QSize(1, 1)).logicalDpiY(); }

QSize PictureSize(const QFont& pictureFont, const PictureOptions& options) {
  const QImage probe = BlankImage(QSize(1, 1));
  return DecompositionPictureSize(QFontMetrics(pictureFont, &probe), options.HasValueRow());
}

}  // namespace

std::optional<PictureFormat> PictureFormatOfPath(const QString& path) {
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return PictureFormat::kSvg;
  if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return PictureFormat::kPng;
  return std::nullopt;
}

QFont PictureFont(const QFont& font) {
  QFont resolved = font;
  resolved.setFamily(QFontInfo(font).family());
  return resolved;
}

QImage DecompositionImage(const CDecomposition& d, const QFont& font, const PictureOptions& options) {
  const QFont pictureFont = PictureFont(font);
  const QSize size = PictureSize(pictureFont, options);
  QImage image = BlankImage(size);
  QPainter painter(&image);
  Paint(painter, size, d, pictureFont, options);
  painter.end();
  return image;
}

QByteArray DecompositionPng(const CDecomposition& d, const QFont& font, const PictureOptions& options) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // An image the encoder refuses would otherwise become an empty file.
  if (!DecompositionImage(d, font, options).save(&buffer, "PNG")) {
    throw InternalError("the picture could not be encoded as PNG");
  }
  return bytes;
}

QByteArray DecompositionSvg(const CDecomposition& d, const QFont& font, const PictureOptions& options) {
  const QFont pictureFont = PictureFont(font);
  const QSize size = PictureSize(pictureFont, options);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(ScreenDpi());  // texts as large as on the image; the size in mm to match
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(QStringLiteral("Parametric decomposition"));
  generator.setDescription(QStringLiteral("Polygons of optimal alignments in the (mismatch score, gap score) "
                                          "plane, drawn by Zenphal"));
  QPainter painter(&generator);
  Paint(painter, size, d, pictureFont, options);
  painter.end();
  return bytes;
}

QByteArray DecompositionPicture(PictureFormat format, const CDecomposition& d, const QFont& font,
                                const PictureOptions& options) {
  return format == PictureFormat::kSvg ? DecompositionSvg(d, font, options) : DecompositionPng(d, font, options);
}

}  // namespace zenphal
