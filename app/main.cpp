// zenphal: the desktop application.
#include <QApplication>
#include <QIcon>
#include <csignal>

#include "app/application.h"

int main(int argc, char** argv) {
  // Past a file size limit a write then fails with EFBIG, which the file
  // writer reports, instead of the signal ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
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
