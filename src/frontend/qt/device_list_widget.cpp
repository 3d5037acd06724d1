#include "frontend/qt/device_list_widget.hpp"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <filesystem>

#include "frontend/qt/battery_widget.hpp"
#include "frontend/qt/skin.hpp"

namespace korvane::qt {

namespace {
constexpr int kCardWidth = 250;
constexpr int kCardHeight = 300;
constexpr int kCardGap = 24;
}  // namespace

// One model's card.
class DeviceCard final : public QFrame {
 public:
  DeviceCard(const ui::ListItem& item, const Skin& skin, QWidget* parent) : QFrame(parent), device_type_(item.data) {
    setObjectName("deviceCard");
    setFixedSize(kCardWidth, kCardHeight);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 16);
    layout->setSpacing(8);
    picture_ = new QLabel(this);
    picture_->setObjectName("devicePicture");
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFixedHeight(150);
    const QString image = QString::fromStdString(item.image);
    QPixmap pixmap(std::filesystem::path(item.image).is_absolute() ? image : skin.ImagePath(image));
    if (pixmap.isNull()) pixmap = skin.Pixmap("device_mode.png");
    if (!pixmap.isNull()) picture_->setPixmap(pixmap.scaled(200, 150, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    name_ = new QLabel(QString::fromStdString(item.text), this);
    name_->setObjectName("deviceName");
    name_->setWordWrap(true);
    state_ = new QLabel(this);
    state_->setObjectName("deviceState");
    version_ = new QLabel(this);
    version_->setObjectName("deviceVersion");
    battery_ = new BatteryWidget(this);
    battery_->hide();
    layout->addWidget(picture_);
    layout->addWidget(name_);
    layout->addWidget(state_);
    layout->addWidget(version_);
    layout->addWidget(battery_);
    layout->addStretch(1);
    SetOnline(false);
  }

  int DeviceType() const { return device_type_; }
  void SetOnline(bool online) {
    state_->setProperty("online", online);
    state_->setText(online ? QStringLiteral("●") : QStringLiteral("○"));
    state_->style()->unpolish(state_);
    state_->style()->polish(state_);
  }
  void SetSelected(bool selected) {
    setProperty("selected", selected);
    style()->unpolish(this);
    style()->polish(this);
  }
  void SetVersion(const QString& version) { version_->setText(version); }
  void SetBattery(int a, int b) {
    battery_->SetValues(a, b);
    battery_->show();
  }
  std::function<void()> on_click;
  std::function<void()> on_focus;

 protected:
  // Space or Enter opens the model as a click does; the arrow keys go to the
  // neighbouring card.
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Space:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (on_click) on_click();
        return;
      case Qt::Key_Left:
        focusPreviousChild();
        return;
      case Qt::Key_Right:
        focusNextChild();
        return;
      default:
        QFrame::keyPressEvent(event);
    }
  }
  void focusInEvent(QFocusEvent* event) override {
    QFrame::focusInEvent(event);
    if (on_focus) on_focus();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (rect().contains(event->position().toPoint()) && on_click) on_click();
  }

 private:
  int device_type_;
  QLabel* picture_;
  QLabel* name_;
  QLabel* state_;
  QLabel* version_;
  BatteryWidget* battery_;
};

DeviceListWidget::DeviceListWidget(const Skin& skin, QWidget* parent)
    : QScrollArea(parent), skin_(skin), row_(new QWidget), layout_(new QHBoxLayout(row_)) {
  setObjectName("deviceList");
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidgetResizable(true);
  row_->setObjectName("deviceRow");
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(kCardGap);
  layout_->addStretch(1);
  layout_->addStretch(1);
  setWidget(row_);
  setFixedHeight(kCardHeight + 4);
}

void DeviceListWidget::SetItems(const std::vector<ui::ListItem>& items) {
  for (DeviceCard* card : cards_) delete card;
  cards_.clear();
  selection_ = -1;
  for (const ui::ListItem& item : items) {
    auto* card = new DeviceCard(item, skin_, row_);
    const int index = static_cast<int>(cards_.size());
    card->on_click = [this, index] {
      SetSelection(index);
      emit Clicked(index);
    };
    card->on_focus = [this, card] { ensureWidgetVisible(card); };
    layout_->insertWidget(layout_->count() - 1, card);
    cards_.push_back(card);
    UpdateCard(item.data);
  }
}

void DeviceListWidget::SetSelection(int index) {
  selection_ = index >= 0 && index < static_cast<int>(cards_.size()) ? index : -1;
  for (int i = 0; i < static_cast<int>(cards_.size()); ++i) cards_[i]->SetSelected(i == selection_);
  if (selection_ >= 0) ensureWidgetVisible(cards_[selection_]);
}

void DeviceListWidget::SetOnline(int device_type, int mode, bool online) {
  online_[device_type][mode] = online;
  UpdateCard(device_type);
}

void DeviceListWidget::SetAllOffline() {
  for (auto& [type, modes] : online_) {
    for (auto& [mode, online] : modes) online = false;
    UpdateCard(type);
  }
}

int DeviceListWidget::OnlineCount() const {
  int count = 0;
  for (const auto& [type, modes] : online_) {
    for (const auto& [mode, online] : modes) {
      if (online) {
        ++count;
        break;
      }
    }
  }
  return count;
}

void DeviceListWidget::SetVersion(int device_type, const QString& version) {
  if (DeviceCard* card = Card(device_type)) card->SetVersion(version);
}

void DeviceListWidget::SetBattery(int device_type, int a, int b) {
  if (DeviceCard* card = Card(device_type)) card->SetBattery(a, b);
}

void DeviceListWidget::ScrollBy(int cards) {
  QScrollBar* bar = horizontalScrollBar();
  bar->setValue(bar->value() + cards * (kCardWidth + kCardGap));
}

DeviceCard* DeviceListWidget::Card(int device_type) const {
  for (DeviceCard* card : cards_) {
    if (card->DeviceType() == device_type) return card;
  }
  return nullptr;
}

void DeviceListWidget::UpdateCard(int device_type) {
  DeviceCard* card = Card(device_type);
  if (card == nullptr) return;
  bool online = false;
  const auto modes = online_.find(device_type);
  if (modes != online_.end()) {
    for (const auto& [mode, state] : modes->second) online = online || state;
  }
  card->SetOnline(online);
}

}  // namespace korvane::qt
