#pragma once
// The decomposition pictures of `zenphal-cli decompose --svg/--png`.
#include <string>

#include "render/decomposition_picture.h"

namespace zenphal {
class OutputSet;
}  // namespace zenphal

namespace zenphal::cli {

// Draws the view's picture of the decomposition for the named files (an
// empty name: none), with what the options add (the publication labels,
// colours, axis values, agreement fills), and stages them in outputs. Starts Qt's GUI side on the "offscreen" platform for the
// fonts, so no display is needed, and only when a picture is asked for.
// Throws WriteError for a file that cannot be written.
void StageDecompositionPictures(OutputSet& outputs, const CDecomposition& decomposition, const std::string& svgPath,
                                const std::string& pngPath, const PictureOptions& options);

}  // namespace zenphal::cli
