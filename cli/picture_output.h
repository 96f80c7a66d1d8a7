#pragma once
// The decomposition pictures of `zenphal-cli decompose --svg/--png`.
#include <string>

namespace zenphal {
class CDecomposition;
}

namespace zenphal::cli {

// Writes the view's picture of the decomposition to the named files (an
// empty name: none), with the publication labels if asked. Starts Qt's GUI
// side on the "offscreen" platform for the fonts, so no display is needed,
// and only when a picture is asked for. Throws InputError naming a file that
// cannot be written.
void WriteDecompositionPictures(const CDecomposition& decomposition, const std::string& svgPath,
                                const std::string& pngPath, bool labels);

}  // namespace zenphal::cli
