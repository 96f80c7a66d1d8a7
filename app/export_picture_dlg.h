#pragma once
// "Export Picture": the file-save dialog of the "Export Picture..." command,
// with the SVG and PNG filters and check boxes for what the picture adds to
// the plain one: the region numbers, the region colours, the axis values
// and, for a document with a reference alignment, the agreement fills. Qt's own dialog rather than the desktop's, since only it can carry
// the check boxes.
#include <QFileDialog>
#include <vector>

#include "render/picture_export.h"

class QCheckBox;

namespace zenphal {

inline constexpr const char* kSvgFilter = "SVG Pictures (*.svg)";
inline constexpr const char* kPngFilter = "PNG Pictures (*.png)";

class ExportPictureDialog : public QFileDialog {
  Q_OBJECT
 public:
  // suggestedName: the file name offered, without suffix; options: the check
  // boxes' first states (the view's toggles; "Colour by agreement" ticked
  // when options.agreement is not empty); agreement: the regions' values
  // (AgreementValues), empty when the document has no reference alignment,
  // which greys that box.
  ExportPictureDialog(QWidget* parent, const QString& suggestedName, const PictureOptions& options,
                      std::vector<double> agreement = {});

  // After an accepted run: the file, its format (by its suffix, else by the
  // chosen filter) and what to draw.
  QString Path() const;
  PictureFormat Format() const;
  PictureOptions Options() const;

  QCheckBox* NumbersBox() const { return numbers_; }
  QCheckBox* ColoursBox() const { return colours_; }
  QCheckBox* AxisValuesBox() const { return axisValues_; }
  QCheckBox* AgreementBox() const { return agreement_; }

 private:
  QCheckBox* numbers_;
  QCheckBox* colours_;
  QCheckBox* axisValues_;
  QCheckBox* agreement_;
  std::vector<double> agreementValues_;
};

}  // namespace zenphal
