#include "cli/picture_output.h"

#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "cli/commands.h"
#include "decomposition/decomposition.h"
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

void WriteDecompositionPictures(const CDecomposition& d, const std::string& svgPath, const std::string& pngPath,
                                bool labels) {
  struct Output {
    PictureFormat format;
    const std::string& path;
    std::ofstream file;
  };
  std::vector<Output> outputs;
  // Every file first, so that a path that cannot be written is reported
  // before Qt starts (and says nothing of its own).
  if (!svgPath.empty()) outputs.push_back({PictureFormat::kSvg, svgPath, CreateOutputFile(svgPath)});
  if (!pngPath.empty()) outputs.push_back({PictureFormat::kPng, pngPath, CreateOutputFile(pngPath)});
  if (outputs.empty()) return;
  const OffscreenGui gui;
  for (Output& o : outputs) {
    const QByteArray bytes = DecompositionPicture(o.format, d, QGuiApplication::font(), labels);
    FinishOutputFile(o.file, o.path, bytes.toStdString());
  }
}

}  // namespace zenphal::cli
