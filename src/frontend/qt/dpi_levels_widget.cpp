#include "frontend/qt/dpi_levels_widget.hpp"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "frontend/qt/list_index.hpp"
#include "frontend/qt/painted_colours.hpp"
#include "frontend/qt/palette_widget.hpp"

namespace korvane::qt {

namespace {

constexpr int kChipHeight = 64;
constexpr int kChipGap = 12;
constexpr int kChipMaxWidth = 240;
constexpr int kChipPreferredWidth = 150;
constexpr int kChipMinWidth = 84;
constexpr int kSwatchSize = 16;
constexpr int kPadding = 10;
constexpr int kValueMaxDigits = 5;
const QColor kChipSelectedColour(0x1a, 0x2b, 0x2a);

}  // namespace

DpiLevelsWidget::DpiLevelsWidget(QWidget* parent) : KeyboardItemsWidget(parent), editor_(new QLineEdit(this)) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  editor_->setObjectName("dpiLevelEditor");
  editor_->setAlignment(Qt::AlignCenter);
  editor_->setMaxLength(kValueMaxDigits);
  editor_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), editor_));
  editor_->hide();
  editor_->installEventFilter(this);
  connect(editor_, &QLineEdit::editingFinished, this, &DpiLevelsWidget::CommitEdit);
}

void DpiLevelsWidget::SetItems(const std::vector<ui::ListItem>& items) {
  CloseEditor();
  items_ = items;
  if (!InRange(selection_, items_.size())) selection_ = -1;
  hovered_ = -1;
  updateGeometry();
  update();
}

void DpiLevelsWidget::SetSelection(int index) {
  selection_ = InRange(index, items_.size()) ? index : -1;
  FollowChoice(selection_);
  update();
}

int DpiLevelsWidget::ChipWidth() const {
  const int count = std::max(1, Count());
  return std::clamp((width() - (count - 1) * kChipGap) / count, 1, kChipMaxWidth);
}

QRect DpiLevelsWidget::ChipRect(int index) const {
  if (!InRange(index, items_.size())) return {};
  const int top = (height() - kChipHeight) / 2;
  return {index * (ChipWidth() + kChipGap), top, ChipWidth(), kChipHeight};
}

QRect DpiLevelsWidget::SwatchRect(int index) const {
  const QRect chip = ChipRect(index);
  if (chip.isEmpty()) return {};
  return {chip.right() - kPadding - kSwatchSize + 1, chip.top() + kPadding, kSwatchSize, kSwatchSize};
}

QRect DpiLevelsWidget::ValueRect(int index) const {
  const QRect chip = ChipRect(index);
  if (chip.isEmpty()) return {};
  return chip.adjusted(kPadding, kPadding + kSwatchSize + 2, -kPadding, -kPadding + 2);
}

QLineEdit* DpiLevelsWidget::Editor() const { return editing_ >= 0 ? editor_ : nullptr; }

int DpiLevelsWidget::ChipAt(QPoint point) const {
  for (int i = 0; i < Count(); ++i) {
    if (ChipRect(i).contains(point)) return i;
  }
  return -1;
}

QSize DpiLevelsWidget::sizeHint() const {
  const int count = std::max(1, Count());
  return {count * kChipPreferredWidth + (count - 1) * kChipGap, kChipHeight + 4};
}

QSize DpiLevelsWidget::minimumSizeHint() const {
  const int count = std::max(1, Count());
  return {count * kChipMinWidth + (count - 1) * kChipGap, kChipHeight + 4};
}

void DpiLevelsWidget::EditValue(int index) {
  if (!InRange(index, items_.size())) return;
  editing_ = index;
  editor_->setText(QString::fromStdString(items_[index].text));
  editor_->setGeometry(ValueRect(index).adjusted(0, -3, 0, 3));
  editor_->show();
  editor_->selectAll();
  editor_->setFocus(Qt::OtherFocusReason);
}

void DpiLevelsWidget::CloseEditor() {
  editing_ = -1;
  editor_->hide();
}

void DpiLevelsWidget::CommitEdit() {
  // Hiding the field takes its focus, which finishes the editing again: the
  // level is forgotten first, so a value is committed once.
  const int index = editing_;
  if (!InRange(index, items_.size())) return;
  const QString text = editor_->text();
  const bool keep_focus = editor_->hasFocus();  // Enter, not a click elsewhere
  CloseEditor();
  if (keep_focus) setFocus(Qt::OtherFocusReason);
  if (text.isEmpty() || text.toStdString() == items_[index].text) return;
  items_[index].text = text.toStdString();
  update();
  emit ValueTyped(index, text);
}

// Escape drops the typed value, Enter commits it; either key ends with the
// field, so it never reaches the chips as a choice.
bool DpiLevelsWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
      CloseEditor();
      setFocus(Qt::OtherFocusReason);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CommitEdit();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void DpiLevelsWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint point = event->position().toPoint();
  const int index = ChipAt(point);
  if (index < 0) return;
  if (SwatchRect(index).adjusted(-4, -4, 4, 4).contains(point)) {
    emit SwatchClicked(index);
    return;
  }
  ChooseItem(index);
}

void DpiLevelsWidget::ChooseItem(int index) {
  SetSelection(index);
  emit LevelClicked(index);
}

void DpiLevelsWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const int index = ChipAt(point);
  if (event->button() == Qt::LeftButton && index >= 0 && !SwatchRect(index).adjusted(-4, -4, 4, 4).contains(point)) {
    EditValue(index);
  }
}

void DpiLevelsWidget::mouseMoveEvent(QMouseEvent* event) {
  const int index = ChipAt(event->position().toPoint());
  if (index != hovered_) {
    hovered_ = index;
    update();
  }
}

void DpiLevelsWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F2 && InRange(CursorItem(), items_.size())) {
    EditValue(CursorItem());
    return;
  }
  if (event->key() == Qt::Key_C && event->modifiers() == Qt::NoModifier && InRange(CursorItem(), items_.size())) {
    emit SwatchClicked(CursorItem());
    return;
  }
  KeyboardItemsWidget::keyPressEvent(event);
}

void DpiLevelsWidget::leaveEvent(QEvent*) {
  hovered_ = -1;
  update();
}

void DpiLevelsWidget::resizeEvent(QResizeEvent*) {
  if (editing_ >= 0) editor_->setGeometry(ValueRect(editing_).adjusted(0, -3, 0, 3));
}

void DpiLevelsWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!isEnabled()) painter.setOpacity(0.45);
  for (int i = 0; i < Count(); ++i) PaintChip(painter, i);
}

void DpiLevelsWidget::PaintChip(QPainter& painter, int index) const {
  const bool selected = index == selection_;
  const QRectF chip = QRectF(ChipRect(index)).adjusted(1, 1, -1, -1);
  QColor fill = index == hovered_ ? kSurfaceHoverColour : kSurfaceColour;
  if (selected) fill = kChipSelectedColour;
  painter.setPen(QPen(selected ? kAccentColour : kBorderColour, selected ? 2 : 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(chip, 10, 10);
  if (ShowsFocusOn(index)) PaintFocusRing(painter, chip, 10);

  QFont small = font();
  small.setPixelSize(12);
  painter.setFont(small);
  painter.setPen(selected ? kAccentColour : kDimTextColour);
  painter.drawText(ChipRect(index).adjusted(kPadding + 2, kPadding - 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(index + 1));

  const ui::ListItem& item = items_[index];
  const QRectF swatch = QRectF(SwatchRect(index)).adjusted(0.5, 0.5, -0.5, -0.5);
  if (item.colour) {
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
    painter.setBrush(UnpackQColor(*item.colour));
  } else {
    painter.setPen(QPen(kBorderColour, 1));
    painter.setBrush(Qt::NoBrush);
  }
  painter.drawEllipse(swatch);

  if (index == editing_) return;
  QFont value = font();
  value.setPixelSize(20);
  value.setWeight(QFont::DemiBold);
  painter.setFont(value);
  painter.setPen(selected ? QColor(Qt::white) : kBrightTextColour);
  painter.drawText(ValueRect(index), Qt::AlignCenter, QString::fromStdString(item.text));
}

}  // namespace korvane::qt
