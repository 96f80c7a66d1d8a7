#include "app/dialog_builder.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace zenphal {
namespace {

void Tag(QWidget* control, int id) {
  control->setObjectName(QString::number(id));
  control->setProperty("controlId", id);
}

}  // namespace

DialogBuilder::DialogBuilder(QDialog* dialog) : dialog_(dialog), units_(dialog->font()) {}

void DialogBuilder::SetSize(int width, int height) { dialog_->setFixedSize(units_.Size(width, height)); }

QGroupBox* DialogBuilder::GroupBox(const QString& text, int x, int y, int width, int height) {
  auto* box = new QGroupBox(text, dialog_);
  box->setGeometry(units_.Rect(x, y, width, height));
  return box;
}

QLabel* DialogBuilder::Label(const QString& text, int x, int y, int width, int height) {
  auto* label = new QLabel(text, dialog_);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Fonts differ in their proportions: a text wider than its layout box
  // keeps its position and runs on rather than wrapping or being cut.
  QRect box = units_.Rect(x, y, width, height);
  box.setWidth(std::max(box.width(), label->sizeHint().width()));
  box.setHeight(std::max(box.height(), label->sizeHint().height()));
  label->setGeometry(box);
  return label;
}

QLineEdit* DialogBuilder::LineEdit(int id, int x, int y, int width, int height) {
  auto* edit = new QLineEdit(dialog_);
  Place(edit, id, x, y, width, height);
  return edit;
}

QPlainTextEdit* DialogBuilder::TextEdit(int id, int x, int y, int width, int height, bool readOnly) {
  auto* edit = new QPlainTextEdit(dialog_);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setReadOnly(readOnly);
  edit->setTabChangesFocus(true);
  Place(edit, id, x, y, width, height);
  return edit;
}

QComboBox* DialogBuilder::ComboBox(int id, int x, int y, int width, int height) {
  auto* combo = new QComboBox(dialog_);
  combo->setEditable(false);
  Place(combo, id, x, y, width, height);
  const QRect full = combo->geometry();
  combo->setGeometry(full.x(), full.y(), full.width(), combo->sizeHint().height());
  // Rows that fit into the rest of the layout's extent.
  const int listHeight = full.height() - combo->sizeHint().height();
  combo->setMaxVisibleItems(std::max(3, listHeight / std::max(1, combo->fontMetrics().height() + 2)));
  return combo;
}

QPushButton* DialogBuilder::Button(int id, const QString& text, int x, int y, int width, int height,
                                   bool isDefault) {
  auto* button = new QPushButton(text, dialog_);
  button->setAutoDefault(false);
  button->setDefault(isDefault);
  Place(button, id, x, y, width, height);
  return button;
}

QWidget* DialogBuilder::Place(QWidget* control, int id, int x, int y, int width, int height) {
  Tag(control, id);
  control->setGeometry(units_.Rect(x, y, width, height));
  return control;
}

QWidget* FindControl(const QObject* parent, int id) {
  return parent->findChild<QWidget*>(QString::number(id));
}

}  // namespace zenphal
