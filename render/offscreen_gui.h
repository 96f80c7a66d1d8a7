#pragma once
// Qt's GUI side for drawing pictures in a program without a window: the
// command line and the Python module. Pictures need it for their fonts.
#include <QFont>

namespace zenphal {

// The font pictures are drawn in. Uses the process's QGuiApplication when it
// has one (a Qt program embedding the caller); otherwise makes one on the
// "offscreen" platform, whatever QT_QPA_PLATFORM says (no other works in
// every shell), and keeps it to the end of the process: a host may still
// draw at exit, and Qt keeps argc and argv for the application's lifetime.
// Qt's messages then go to stderr prefixed "PROGRAM: Qt: " (or to the
// handler installed before), except the note about a missing
// XDG_RUNTIME_DIR, usual for root and in containers, which off-screen
// drawing does not need. program must outlive the process's use of Qt (a
// string literal). Throws std::runtime_error when the process runs a
// QCoreApplication without the GUI side.
QFont OffscreenPictureFont(const char* program);

}  // namespace zenphal
