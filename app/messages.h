#pragma once
// Message boxes and whole-file reads and writes with the application's
// wording. Every message box is titled with the application title.
#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace zenphal {

inline constexpr const char* kAppTitle = "ZENPH";

// A modal message with an OK button and no icon ("Please input RNA
// structure.", "Please select RNA1!", ...).
void ShowMessage(QWidget* parent, const QString& text);
// The same with the warning icon, for errors the user can correct.
void ShowError(QWidget* parent, const QString& text);

// Converts between the core's byte strings and the widgets' text (UTF-8,
// so ASCII texts pass unchanged).
QString ToQString(const std::string& text);
std::string ToStdString(const QString& text);

// A path as the user's platform writes it, for messages.
QString NativePath(const QString& path);

// The whole file, or nullopt with *error set to a message naming the file and
// the cause ("%1 was not found.", "Access to %1 was denied.", ...).
std::optional<QByteArray> ReadWholeFile(const QString& path, QString* error);

// Replaces the file's content by bytes; the old content survives a failed
// write. Returns false with *error naming the file and the cause.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace zenphal
