#include "frontend/qt/eliding_combo_box.hpp"

#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace korvane::qt {

ElidingComboBox::ElidingComboBox(QWidget* parent) : QComboBox(parent) {}

void ElidingComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  const QRect text = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  const QString elided = fontMetrics().elidedText(option.currentText, Qt::ElideRight, text.width());
  setToolTip(elided == option.currentText ? QString() : option.currentText);
  option.currentText = elided;
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace korvane::qt
