#include "app/export_picture_dlg.h"

#include <QCheckBox>
#include <QGridLayout>

namespace zenphal {

CExportPictureDlg::CExportPictureDlg(QWidget* parent, const QString& suggestedName, bool labels)
    : QFileDialog(parent, QStringLiteral("Export Picture")) {
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setNameFilters({QString::fromLatin1(kSvgFilter), QString::fromLatin1(kPngFilter)});
  setDefaultSuffix(QStringLiteral("svg"));
  selectFile(suggestedName + QStringLiteral(".svg"));
  // A name typed without suffix gets the chosen filter's.
  connect(this, &QFileDialog::filterSelected, this, [this](const QString& filter) {
    setDefaultSuffix(filter == QString::fromLatin1(kPngFilter) ? QStringLiteral("png") : QStringLiteral("svg"));
  });

  m_checkLabels = new QCheckBox(QStringLiteral("&Label the polygons and the range values (for publication)"), this);
  m_checkLabels->setObjectName(QStringLiteral("labels"));
  m_checkLabels->setToolTip(QStringLiteral("Writes each polygon's number in the all-alignments report at its "
                                           "centre, and the score ranges at the rectangle's corners"));
  m_checkLabels->setChecked(labels);
  // Under the file name and type rows of the dialog's grid.
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(m_checkLabels, grid->rowCount(), 0, 1, grid->columnCount());
  } else {
    layout()->addWidget(m_checkLabels);
  }
}

QString CExportPictureDlg::Path() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.constFirst();
}

PictureFormat CExportPictureDlg::Format() const {
  if (const auto byName = PictureFormatOfPath(Path())) return *byName;
  return selectedNameFilter() == QString::fromLatin1(kPngFilter) ? PictureFormat::kPng : PictureFormat::kSvg;
}

bool CExportPictureDlg::Labels() const { return m_checkLabels->isChecked(); }

}  // namespace zenphal
