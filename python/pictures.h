#pragma once
// The decomposition picture from Python: exactly what
// `zenphal-cli decompose --svg/--png [--label] [--colour-by-agreement]` writes.
#include <string>

#include "render/decomposition_picture.h"

namespace zenphal::python {

// Qt's GUI side is needed for the fonts: the host's QGuiApplication when it
// has one (a Qt program embedding Python), otherwise one made here on the
// "offscreen" platform on the first picture, so no display is needed, and
// kept to the end of the process. Throws std::runtime_error when the host runs a
// QCoreApplication without the GUI side.
std::string PictureSvg(const CDecomposition& decomposition, const PictureOptions& options);
std::string PicturePng(const CDecomposition& decomposition, const PictureOptions& options);

}  // namespace zenphal::python
