#include "app/commands.h"

#include <QAction>
#include <QKeySequence>
#include <stdexcept>

namespace zenphal {
namespace {

constexpr CommandInfo kCommands[] = {
    {kIdFileNew, "&New\tCtrl+N", "Ctrl+N", "Create a new document\nNew"},
    {kIdFileOpen, "&Open...\tCtrl+O", "Ctrl+O", "Open an existing document\nOpen"},
    {kIdFileClose, "&Close", "", "Close the active document\nClose"},
    {kIdFileSave, "&Save\tCtrl+S", "Ctrl+S", "Save the active document\nSave"},
    {kIdFileSaveAs, "Save &As...", "", "Save the active document with a new name\nSave As"},
    {kIdFileExportPicture, "&Export Picture...", "",
     "Export the decomposition picture as an SVG or PNG file\nExport Picture"},
    {kIdFileMru1, "Recent File", "", "Open this document"},
    {kIdAppExit, "E&xit", "", "Quit the application; prompts to save documents\nExit"},
    {kIdStartCompute, "Start Compute", "",
     "Type, paste or load two structures, enter the scores and decompose\nStart Compute: enter two structures"},
    {kIdExampleDemo, "Example Demo", "",
     "Choose two built-in example structures and decompose\nExample Demo: two built-in structures"},
    {kIdViewAllAlignment, "View All Alignment", "",
     "List every optimal alignment; region k is the k-th in the list\nView All Alignment: list every optimal alignment"},
    {kIdViewRegionNumbers, "Region &Numbers", "",
     "Write each region's number, its place in View All Alignment, inside it\nRegion Numbers"},
    {kIdViewColourRegions, "&Colour Regions", "",
     "Fill the regions with colours that tell neighbours apart, colour-blind safe\nColour Regions"},
    {kIdViewColourByAgreement, "Colour by Agreement", "",
     "Fill each region by how well its alignment agrees with the document's reference alignment\nColour by "
     "Agreement"},
    {kIdViewAxisValues, "&Axis Values", "",
     "Show the score values along both axes and mark the frame outside the ranges\nAxis Values"},
    {kIdViewFitPicture, "&Fit Picture to Window", "",
     "Scale the picture with the window instead of showing it at its own size\nFit Picture to Window"},
    {kIdWindowNew, "&New Window", "", "Open another window for the active document\nNew Window"},
    {kIdWindowCascade, "&Cascade", "", "Arrange windows so they overlap\nCascade Windows"},
    {kIdWindowTile, "&Tile", "", "Arrange windows as non-overlapping tiles\nTile Windows"},
    {kIdWindowArrange, "&Arrange Icons", "", "Arrange icons at the bottom of the window\nArrange Icons"},
    {kIdAppAbout, "&About ZENPH...", "", "Display program information, version number and copyright\nAbout"},
    {kIdHelpTopic, "Help Topic", "", "Show the help page: input formats, reading the picture\nHelp Topic"},
};

}  // namespace

const CommandInfo& CommandById(int id) {
  if (id > kIdFileMru1 && id < kIdFileMru1 + kRecentFileCount) id = kIdFileMru1;
  for (const CommandInfo& c : kCommands) {
    if (c.id == id) return c;
  }
  throw std::out_of_range("no command " + std::to_string(id));
}

QAction* MakeCommandAction(int id, QObject* parent) {
  const CommandInfo& c = CommandById(id);
  auto* action = new QAction(QString::fromLatin1(c.text), parent);
  action->setObjectName(QStringLiteral("command%1").arg(id));
  action->setProperty("commandId", id);
  action->setProperty("prompt", QString::fromLatin1(c.prompt));
  if (*c.key) action->setShortcut(QKeySequence(QString::fromLatin1(c.key)));
  const QString prompt = QString::fromLatin1(c.prompt);
  const qsizetype lf = prompt.indexOf(QLatin1Char('\n'));
  if (lf >= 0) action->setToolTip(prompt.mid(lf + 1));
  return action;
}

QString PromptOf(const QAction* action) {
  return action->property("prompt").toString().section(QLatin1Char('\n'), 0, 0);
}

}  // namespace zenphal
