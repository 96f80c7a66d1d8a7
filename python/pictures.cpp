#include "python/pictures.h"

#include "decomposition/decomposition.h"
#include "engine/errors.h"
#include "render/offscreen_gui.h"
#include "render/picture_export.h"

namespace zenphal::python {
namespace {

std::string Picture(PictureFormat format, const CDecomposition& d, const PictureOptions& options) {
  const QByteArray bytes = DecompositionPicture(format, d, OffscreenPictureFont("zenphal"), options);
  return bytes.toStdString();
}

}  // namespace

std::string PictureSvg(const CDecomposition& d, const PictureOptions& options) {
  return Picture(PictureFormat::kSvg, d, options);
}
std::string PicturePng(const CDecomposition& d, const PictureOptions& options) {
  return Picture(PictureFormat::kPng, d, options);
}

}  // namespace zenphal::python
