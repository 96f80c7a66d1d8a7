// zenphal: the desktop application.
#include <QApplication>
#include <QIcon>

#include "app/application.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);  // takes out the toolkit's own options
  QApplication::setOrganizationName(QString::fromLatin1(zenphal::kSettingsCompany));
  QApplication::setApplicationName(QString::fromLatin1(zenphal::kSettingsApplication));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zenphal/zenphal.png")));

  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  zenphal::CZENPHApp app;
  app.InitInstance(arguments);
  return application.exec();
}
