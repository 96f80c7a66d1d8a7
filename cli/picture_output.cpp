#include "cli/picture_output.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "decomposition/decomposition.h"
#include "output/file_writer.h"
#include "render/picture_export.h"

namespace zenphal::cli {
namespace {

// Qt's notes go to stderr as ours do, except the one about a missing
// XDG_RUNTIME_DIR (usual for root and in containers), which concerns nothing
// the command does: off-screen drawing uses no runtime directory.
void ForwardQtMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) return;
  std::fprintf(stderr, "zenphal-cli: Qt: %s\n", message.toLocal8Bit().constData());
}

// Qt's GUI side without a display: the platform is set here, whatever
// QT_QPA_PLATFORM says, since no other platform can work in every shell.
class OffscreenGui {
 public:
  OffscreenGui() {
    qInstallMessageHandler(&ForwardQtMessage);
    if (QGuiApplication::instance() == nullptr) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }

 private:
  char name_[12] = "zenphal-cli";
  char platformOption_[10] = "-platform";
  char platform_[10] = "offscreen";
  int argc_ = 3;
  char* argv_[4] = {name_, platformOption_, platform_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

void StageDecompositionPictures(OutputSet& outputs, const CDecomposition& d, const std::string& svgPath,
                                const std::string& pngPath, const PictureOptions& options) {
  if (svgPath.empty() && pngPath.empty()) return;
  const OffscreenGui gui;
  if (!svgPath.empty()) {
    outputs.Stage(svgPath, DecompositionPicture(PictureFormat::kSvg, d, QGuiApplication::font(), options).toStdString());
  }
  if (!pngPath.empty()) {
    outputs.Stage(pngPath, DecompositionPicture(PictureFormat::kPng, d, QGuiApplication::font(), options).toStdString());
  }
}

}  // namespace zenphal::cli
