#pragma once
// "Export Picture": the file-save dialog of the "Export Picture..." command,
// with the SVG and PNG filters and a check box for the publication labels.
// Qt's own dialog rather than the desktop's, since only it can carry the
// check box.
#include <QFileDialog>

#include "render/picture_export.h"

class QCheckBox;

namespace zenphal {

inline constexpr const char* kSvgFilter = "SVG Pictures (*.svg)";
inline constexpr const char* kPngFilter = "PNG Pictures (*.png)";

class ExportPictureDialog : public QFileDialog {
  Q_OBJECT
 public:
  // suggestedName: the file name offered, without suffix; labels: the check
  // box's first state.
  ExportPictureDialog(QWidget* parent, const QString& suggestedName, bool labels);

  // After an accepted run: the file, its format (by its suffix, else by the
  // chosen filter) and whether to draw the labels.
  QString Path() const;
  PictureFormat Format() const;
  bool Labels() const;

  QCheckBox* LabelsBox() const { return labels_; }

 private:
  QCheckBox* labels_;
};

}  // namespace zenphal
