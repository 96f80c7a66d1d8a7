#include "app/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "formats/input_file.h"
#include "output/file_writer.h"

namespace zenphal {
namespace {

void Show(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, parent);
  box.exec();
}

QString FromFilePath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

QString NativePath(const QString& path) { return QDir::toNativeSeparators(path); }

void ShowMessage(QWidget* parent, const QString& text) { Show(parent, text, QMessageBox::NoIcon); }

void ShowError(QWidget* parent, const QString& text) { Show(parent, text, QMessageBox::Warning); }

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

std::string ToFilePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString MessageOf(const FileReadError& e) {
  using Kind = FileReadError::Kind;
  const QString path = NativePath(FromFilePath(e.path));
  const QString reason = ToQString(e.reason);
  switch (e.kind) {
    case Kind::kNotFound: return QStringLiteral("%1 was not found.").arg(path);
    case Kind::kAccessDenied: return QStringLiteral("Access to %1 was denied.").arg(path);
    case Kind::kDirectory: return QStringLiteral("%1 is a folder, not a file.").arg(path);
    case Kind::kNotRegular:
      return QStringLiteral("%1 is not a regular file (a device, pipe or socket); it was not read.").arg(path);
    case Kind::kTooLarge: return QStringLiteral("%1 is larger than 64 MiB; it was not read.").arg(path);
    case Kind::kOpenFailed: return QStringLiteral("%1 could not be opened: %2.").arg(path, reason);
    case Kind::kReadFailed: return QStringLiteral("%1 could not be read: %2.").arg(path, reason);
  }
  return ToQString(e.what());
}

QString MessageOf(const WriteError& e) {
  const QString path = NativePath(QFileInfo(FromFilePath(e.path)).absoluteFilePath());
  return QStringLiteral("%1 could not be written: %2.").arg(path, ToQString(e.reason));
}

}  // namespace zenphal
