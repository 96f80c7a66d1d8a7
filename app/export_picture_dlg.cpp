#include "app/export_picture_dlg.h"

#include <QCheckBox>
#include <QGridLayout>

namespace zenphal {

ExportPictureDialog::ExportPictureDialog(QWidget* parent, const QString& suggestedName, bool labels)
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

  labels_ = new QCheckBox(QStringLiteral("&Label the polygons and the range values (for publication)"), this);
  labels_->setObjectName(QStringLiteral("labels"));
  labels_->setToolTip(QStringLiteral("Writes each polygon's number in the all-alignments report at its "
                                           "centre, and the score ranges at the rectangle's corners"));
  labels_->setChecked(labels);
  // Under the file name and type rows of the dialog's grid.
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(labels_, grid->rowCount(), 0, 1, grid->columnCount());
  } else {
    layout()->addWidget(labels_);
  }
}

QString ExportPictureDialog::Path() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.constFirst();
}

PictureFormat ExportPictureDialog::Format() const {
  if (const auto byName = PictureFormatOfPath(Path())) return *byName;
  return selectedNameFilter() == QString::fromLatin1(kPngFilter) ? PictureFormat::kPng : PictureFormat::kSvg;
}

bool ExportPictureDialog::Labels() const { return labels_->isChecked(); }

}  // namespace zenphal
