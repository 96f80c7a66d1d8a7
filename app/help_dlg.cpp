#include "app/help_dlg.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <algorithm>

#include "app/dialog_builder.h"

namespace zenphal {

CHelpDlg::CHelpDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Help"));
  DialogBuilder b(this);
  b.SetSize(611, 428);
  // The page fills the client area above the button row.
  m_browser = new QTextBrowser(this);
  m_browser->setOpenLinks(false);
  m_browser->setGeometry(b.units().Rect(0, 0, 611, 400));
  QFile page(QString::fromLatin1(kHelpPageResource));
  if (page.open(QIODevice::ReadOnly)) m_browser->setHtml(QString::fromUtf8(page.readAll()));
  QPushButton* ok = b.Button(kIdHelpOk, QStringLiteral("OK"), 281, 407, 66, 14, true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ok->setFocus();
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About ZENPH"));
  DialogBuilder b(this);
  b.SetSize(235, 55);
  auto* icon = new QLabel(this);
  icon->setPixmap(QPixmap(QStringLiteral(":/zenphal/zenphal.png")));
  icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QRect place = b.units().Rect(11, 17, 20, 20);
  icon->setGeometry(place.x(), place.y(), std::max(32, place.width()), std::max(32, place.height()));
  b.Label(QStringLiteral("ZENPH Version 1.0"), 40, 10, 119, 8);
  b.Label(QStringLiteral("Parametric RNA alignment"), 40, 25, 119, 8);
  QPushButton* ok = b.Button(kIdOk, QStringLiteral("OK"), 178, 7, 50, 16, true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ok->setFocus();
}

}  // namespace zenphal
