#pragma once
// The command table: every command's number, menu text ("&" before the
// mnemonic, "\t" before the key shown at the right), key and prompt string
// (the status-bar text, then after a line feed the tooltip; empty for the
// commands that have none).
#include <QString>

class QAction;
class QObject;

namespace zenphal {

enum CommandId : int {
  kIdFileNew = 57600,
  kIdFileOpen = 57601,
  kIdFileClose = 57602,
  kIdFileSave = 57603,
  kIdFileSaveAs = 57604,
  kIdFileMru1 = 57616,  // to 57619
  kIdWindowNew = 57648,
  kIdWindowArrange = 57649,
  kIdWindowCascade = 57650,
  kIdWindowTile = 57651,
  kIdAppAbout = 57664,
  kIdAppExit = 57665,
  kIdStartCompute = 32771,
  kIdViewAllAlignment = 32772,
  kIdHelpTopic = 32773,
  kIdExampleDemo = 32778,
  kIdFileExportPicture = 32779,
  // The "&View" menu's toggles.
  kIdViewRegionNumbers = 32780,
  kIdViewColourRegions = 32781,
  kIdViewAxisValues = 32782,
  kIdViewFitPicture = 32783,
  kIdViewColourByAgreement = 32784,  // for documents with a reference alignment
};

inline constexpr int kRecentFileCount = 4;

struct CommandInfo {
  int id;
  const char* text;
  const char* key;     // as QKeySequence reads it; empty for none
  const char* prompt;  // "status text\ntooltip", or empty
};

// The row of a command in the table; the recent-file numbers share one row.
const CommandInfo& CommandById(int id);

// An action carrying the command's text, key and prompt, with its number in
// the property "commandId" and as object name "command<number>".
QAction* MakeCommandAction(int id, QObject* parent);

// The status-bar part of a prompt string (its first line).
QString PromptOf(const QAction* action);

}  // namespace zenphal
