#pragma once
// Message boxes with the application's wording, and the words for the core's
// file errors. Every message box is titled with the application title. This
// is where core errors become messages: handlers catch them and show them
// here, at the edge.
#include <QString>
#include <string>

class QWidget;

namespace zenphal {

class FileReadError;
class WriteError;

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
// A path for the core's file routines (the file system's encoding).
std::string ToFilePath(const QString& path);

// A path as the user's platform writes it, for messages.
QString NativePath(const QString& path);

// The file error texts: "%1 was not found.", "Access to %1 was denied.",
// "%1 is a folder, not a file.", "%1 could not be written: %2.", ...
QString MessageOf(const FileReadError& error);
QString MessageOf(const WriteError& error);

}  // namespace zenphal
