#include "app/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

namespace zenphal {
namespace {

void Show(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

QString NativePath(const QString& path) { return QDir::toNativeSeparators(path); }

void ShowMessage(QWidget* parent, const QString& text) { Show(parent, text, QMessageBox::NoIcon); }

void ShowError(QWidget* parent, const QString& text) { Show(parent, text, QMessageBox::Warning); }

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error) {
  const QFileInfo info(path);
  if (!info.exists()) {
    *error = QStringLiteral("%1 was not found.").arg(NativePath(path));
    return std::nullopt;
  }
  if (info.isDir()) {
    *error = QStringLiteral("%1 is a folder, not a file.").arg(NativePath(path));
    return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.error() == QFileDevice::OpenError && !info.isReadable()
                 ? QStringLiteral("Access to %1 was denied.").arg(NativePath(path))
                 : QStringLiteral("%1 could not be opened: %2.").arg(NativePath(path), file.errorString());
    return std::nullopt;
  }
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    *error = QStringLiteral("%1 could not be read: %2.").arg(NativePath(path), file.errorString());
    return std::nullopt;
  }
  return bytes;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  // A file in a folder we may not create files in can still be replaced in
  // place when the file itself is writable.
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) {
    const QFileInfo info(path);
    *error = !info.absoluteDir().exists()
                 ? QStringLiteral("%1 was not found.").arg(NativePath(info.absolutePath()))
                 : QStringLiteral("%1 could not be created: %2.").arg(NativePath(path), file.errorString());
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    *error = QStringLiteral("%1 could not be written: %2.").arg(NativePath(path), file.errorString());
    return false;
  }
  return true;
}

}  // namespace zenphal
