#include "cli/picture_output.h"

#include "decomposition/decomposition.h"
#include "output/file_writer.h"
#include "render/offscreen_gui.h"
#include "render/picture_export.h"

namespace zenphal::cli {

void StageDecompositionPictures(OutputSet& outputs, const CDecomposition& d, const std::string& svgPath,
                                const std::string& pngPath, const PictureOptions& options) {
  if (svgPath.empty() && pngPath.empty()) return;
  const QFont font = OffscreenPictureFont("zenphal-cli");
  const auto stage = [&](const std::string& path, PictureFormat format) {
    if (!path.empty()) outputs.Stage(path, DecompositionPicture(format, d, font, options).toStdString());
  };
  stage(svgPath, PictureFormat::kSvg);
  stage(pngPath, PictureFormat::kPng);
}

}  // namespace zenphal::cli
