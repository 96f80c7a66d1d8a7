#include "render/picture_export.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QSvgGenerator>

#include "decomposition/decomposition.h"
#include "render/decomposition_picture.h"
#include "render/picture_labels.h"

namespace zenphal {
namespace {

void Paint(QPainter& painter, const QSize& size, const CDecomposition& d, const QFont& font, bool labels) {
  painter.setFont(font);
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  DrawDecompositionPicture(painter, d);
  if (labels) DrawDecompositionLabels(painter, d);
}

// The image's resolution: the screen's, so point sizes give the same pixels
// as on the view.
QImage BlankImage(const QSize& size) { return QImage(size, QImage::Format_RGB32); }

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

QImage DecompositionImage(const CDecomposition& d, const QFont& font, bool labels) {
  const QFont pictureFont = PictureFont(font);
  QImage probe = BlankImage(QSize(1, 1));
  const QSize size = DecompositionPictureSize(QFontMetrics(pictureFont, &probe), labels);
  QImage image = BlankImage(size);
  QPainter painter(&image);
  Paint(painter, size, d, pictureFont, labels);
  painter.end();
  return image;
}

QByteArray DecompositionPng(const CDecomposition& d, const QFont& font, bool labels) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  DecompositionImage(d, font, labels).save(&buffer, "PNG");
  return bytes;
}

QByteArray DecompositionSvg(const CDecomposition& d, const QFont& font, bool labels) {
  const QFont pictureFont = PictureFont(font);
  // Texts keep the sizes they have on the image: same resolution.
  const QImage probe = BlankImage(QSize(1, 1));
  const QSize size = DecompositionPictureSize(QFontMetrics(pictureFont, &probe), labels);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(probe.logicalDpiY());
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(QStringLiteral("Parametric decomposition"));
  generator.setDescription(QStringLiteral("Polygons of optimal alignments in the (mismatch score, gap score) "
                                          "plane, drawn by Zenphal"));
  QPainter painter(&generator);
  Paint(painter, size, d, pictureFont, labels);
  painter.end();
  return bytes;
}

QByteArray DecompositionPicture(PictureFormat format, const CDecomposition& d, const QFont& font, bool labels) {
  return format == PictureFormat::kSvg ? DecompositionSvg(d, font, labels) : DecompositionPng(d, font, labels);
}

}  // namespace zenphal
