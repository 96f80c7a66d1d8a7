#pragma once
// Places a dialog's controls at their positions in dialog units and tags each
// control with its number: the object name is the number as text and the
// property "controlId" holds it, so code and tests find controls by number.
#include <QString>

#include "app/dialog_units.h"

class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace zenphal {

// The numbers of the standard buttons.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

class DialogBuilder {
 public:
  // Measures the dialog's font; call before adding controls.
  explicit DialogBuilder(QDialog* dialog);

  // Fixes the dialog's client area at width x height dialog units.
  void SetSize(int width, int height);

  QGroupBox* GroupBox(const QString& text, int x, int y, int width, int height);
  // One line; at least as large as its text.
  QLabel* Label(const QString& text, int x, int y, int width, int height);
  QLineEdit* LineEdit(int id, int x, int y, int width, int height);
  // Multi-line, no word wrap, both scroll bars.
  QPlainTextEdit* TextEdit(int id, int x, int y, int width, int height, bool readOnly);
  // A drop-down list; height is the extent of the dropped list, as in the
  // layouts, so the closed box takes its natural height.
  QComboBox* ComboBox(int id, int x, int y, int width, int height);
  QPushButton* Button(int id, const QString& text, int x, int y, int width, int height, bool isDefault = false);
  QWidget* Place(QWidget* control, int id, int x, int y, int width, int height);

  const DialogUnits& units() const { return units_; }

 private:
  QDialog* dialog_;
  DialogUnits units_;
};

// The control with this number among parent's descendants, or nullptr.
QWidget* FindControl(const QObject* parent, int id);
template <typename T>
T* FindControlAs(const QObject* parent, int id) {
  return qobject_cast<T*>(FindControl(parent, id));
}

}  // namespace zenphal
