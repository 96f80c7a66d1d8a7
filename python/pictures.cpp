#include "python/pictures.h"

#include <QGuiApplication>
#include <cstdio>

#include "decomposition/decomposition.h"
#include "engine/errors.h"
#include "render/picture_export.h"

namespace zenphal::python {
namespace {

QtMessageHandler hostHandler = nullptr;

// Qt's notes go to stderr, except the one about a missing XDG_RUNTIME_DIR
// (usual for root and in containers): off-screen drawing uses none.
void ForwardQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  if (hostHandler != nullptr) return hostHandler(type, context, message);
  std::fprintf(stderr, "zenphal: Qt: %s\n", message.toLocal8Bit().constData());
}

QFont PictureFont() {
  if (QCoreApplication::instance() == nullptr) {
    // Made once and never destroyed: a host may still draw at exit, and
    // QGuiApplication keeps argc and argv for its lifetime.
    static int argc = 3;
    static char name[] = "zenphal";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    hostHandler = qInstallMessageHandler(&ForwardQtMessage);
    new QGuiApplication(argc, argv);
  }
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::runtime_error("pictures need Qt's GUI side, but this process runs a QCoreApplication without it");
  }
  return QGuiApplication::font();
}

std::string Picture(PictureFormat format, const CDecomposition& d, const PictureOptions& options) {
  const QByteArray bytes = DecompositionPicture(format, d, PictureFont(), options);
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
