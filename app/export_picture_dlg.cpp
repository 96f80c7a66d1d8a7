#include "app/export_picture_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>

namespace zenphal {

ExportPictureDialog::ExportPictureDialog(QWidget* parent, const QString& suggestedName, const PictureOptions& options,
                                         std::vector<double> agreement)
    : QFileDialog(parent, QStringLiteral("Export Picture")), agreementValues_(std::move(agreement)) {
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

  const auto box = [this](const char* text, const char* name, const char* tip, bool checked) {
    auto* b = new QCheckBox(QString::fromLatin1(text), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromLatin1(tip));
    b->setChecked(checked);
    return b;
  };
  numbers_ = box("Region &numbers", "numbers",
                 "Writes each region's number, its place in View All Alignment, at its centre", options.numbers);
  colours_ = box("&Colour regions", "colours", "Fills the regions with colours that tell neighbours apart",
                 options.colours);
  axisValues_ = box("A&xis values", "axisValues",
                    "Writes the score ranges and tick values along both axes and marks the frame outside the ranges",
                    options.axisValues);
  agreement_ = box("Colour by a&greement", "agreement",
                   "Fills the regions by how well their alignments agree with the reference alignment (in place of "
                   "the region colours), with the scale's legend",
                   !options.agreement.empty() && !agreementValues_.empty());
  if (agreementValues_.empty()) {
    agreement_->setEnabled(false);
    agreement_->setToolTip(QStringLiteral("The document has no reference alignment: compute two members of one "
                                          "Stockholm alignment (Read From File in Start Compute)"));
  }
  auto* row = new QHBoxLayout;
  row->addWidget(numbers_);
  row->addWidget(colours_);
  row->addWidget(axisValues_);
  row->addWidget(agreement_);
  row->addStretch(1);
  // Under the file name and type rows of the dialog's grid.
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addLayout(row, grid->rowCount(), 0, 1, grid->columnCount());
  } else {
    layout()->addItem(row);
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

PictureOptions ExportPictureDialog::Options() const {
  PictureOptions o;
  o.numbers = numbers_->isChecked();
  o.colours = colours_->isChecked();
  o.axisValues = axisValues_->isChecked();
  if (agreement_->isChecked()) o.agreement = agreementValues_;
  return o;
}

}  // namespace zenphal
