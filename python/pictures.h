#pragma once
// The decomposition picture from Python: exactly what
// `zenphal-cli decompose --svg/--png [--label]` writes.
#include <string>

namespace zenphal {
class CDecomposition;
}

namespace zenphal::python {

// Qt's GUI side is needed for the fonts: the host's QGuiApplication when it
// has one (a Qt program embedding Python), otherwise one made here on the
// "offscreen" platform on the first picture, so no display is needed, and
// kept to the end of the process. Throws std::runtime_error when the host runs a
// QCoreApplication without the GUI side.
std::string PictureSvg(const CDecomposition& decomposition, bool labels);
std::string PicturePng(const CDecomposition& decomposition, bool labels);

}  // namespace zenphal::python
