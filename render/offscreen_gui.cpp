#include "render/offscreen_gui.h"

#include <QGuiApplication>
#include <cstdio>
#include <stdexcept>

namespace zenphal {
namespace {

const char* messagePrefix = "";
QtMessageHandler earlierHandler = nullptr;

void ForwardQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  if (earlierHandler != nullptr) return earlierHandler(type, context, message);
  std::fprintf(stderr, "%s: Qt: %s\n", messagePrefix, message.toLocal8Bit().constData());
}

}  // namespace

QFont OffscreenPictureFont(const char* program) {
  if (QCoreApplication::instance() == nullptr) {
    static int argc = 3;
    static char name[] = "zenphal";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    messagePrefix = program;
    earlierHandler = qInstallMessageHandler(&ForwardQtMessage);
    new QGuiApplication(argc, argv);  // never deleted: see the header
  }
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::runtime_error("pictures need Qt's GUI side, but this process runs a QCoreApplication without it");
  }
  return QGuiApplication::font();
}

}  // namespace zenphal
