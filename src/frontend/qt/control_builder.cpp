#include "frontend/qt/control_builder.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "frontend/qt/colour_button.hpp"
#include "frontend/qt/eliding_combo_box.hpp"
#include "frontend/qt/qt_toolkit.hpp"

namespace korvane::qt {

void ControlBuilder::Register(int id, QWidget* widget) { toolkit_.Register({window_, id}, widget); }

QLabel* ControlBuilder::Text(int id, QWidget* parent, const char* role) {
  auto* label = new QLabel(parent);
  label->setProperty("role", role);
  Register(id, label);
  return label;
}

QLabel* ControlBuilder::Picture(int id, QWidget* parent, const QString& image, const char* role) {
  QLabel* label = Text(id, parent, role);
  label->setAlignment(Qt::AlignCenter);
  const QPixmap pixmap = toolkit_.GetSkin().Pixmap(image);
  if (!pixmap.isNull()) label->setPixmap(pixmap);
  return label;
}

QPushButton* ControlBuilder::Button(int id, QWidget* parent, const char* role, const QString& image,
                                    const QString& fallback_glyph) {
  auto* button = new QPushButton(parent);
  button->setProperty("role", role);
  button->setCursor(Qt::PointingHandCursor);
  button->setFocusPolicy(Qt::TabFocus);
  const QIcon icon = image.isEmpty() ? QIcon() : toolkit_.GetSkin().Icon(image);
  if (!icon.isNull()) {
    button->setIcon(icon);
  } else {
    button->setText(fallback_glyph);
  }
  Register(id, button);
  return button;
}

QCheckBox* ControlBuilder::Check(int id, QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setCursor(Qt::PointingHandCursor);
  Register(id, box);
  return box;
}

QRadioButton* ControlBuilder::Radio(int id, QWidget* parent, const QString& group) {
  auto* radio = new QRadioButton(parent);
  radio->setCursor(Qt::PointingHandCursor);
  Register(id, radio);
  toolkit_.AddToRadioGroup(window_, group, radio);
  return radio;
}

QComboBox* ControlBuilder::Combo(int id, QWidget* parent) {
  auto* combo = new ElidingComboBox(parent);
  combo->setCursor(Qt::PointingHandCursor);
  Register(id, combo);
  return combo;
}

QLineEdit* ControlBuilder::NumberField(int id, QWidget* parent, int max_digits) {
  auto* edit = new QLineEdit(parent);
  edit->setProperty("role", "number");
  edit->setMaxLength(max_digits);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
  Register(id, edit);
  return edit;
}

ColourButton* ControlBuilder::ColourChoice(int id, QWidget* parent, const QString& group) {
  auto* button = new ColourButton(parent);
  Register(id, button);
  toolkit_.AddToRadioGroup(window_, group, button);
  return button;
}

QFrame* ControlBuilder::Area(int id, QWidget* parent, const char* role) {
  auto* area = new QFrame(parent);
  area->setProperty("role", role);
  Register(id, area);
  return area;
}

}  // namespace korvane::qt
