// The control operations of QtToolkit: each applies to the widget kinds that
// can show it and is kept in the control's shadow for the rest.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <algorithm>

#include "frontend/qt/battery_widget.hpp"
#include "frontend/qt/button_list_widget.hpp"
#include "frontend/qt/colour_button.hpp"
#include "frontend/qt/control_properties.hpp"
#include "frontend/qt/device_list_widget.hpp"
#include "frontend/qt/dpi_levels_widget.hpp"
#include "frontend/qt/key_recorder.hpp"
#include "frontend/qt/list_index.hpp"
#include "frontend/qt/mouse_picture_widget.hpp"
#include "frontend/qt/moving_bar.hpp"
#include "frontend/qt/palette_widget.hpp"
#include "frontend/qt/qt_text.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "frontend/qt/rate_list_widget.hpp"
#include "ui/event_codes.hpp"

namespace korvane::qt {

void QtToolkit::SetText(ui::ControlRef control, std::string_view text) {
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  const Quiet quiet(*this);
  const QString value = ToQ(text);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(value);
  } else {
    widget->setProperty(kTextProperty, value);
  }
}

std::string QtToolkit::GetText(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  if (widget == nullptr) return {};
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text().toStdString();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text().toStdString();
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text().toStdString();
  return widget->property(kTextProperty).toString().toStdString();
}

void QtToolkit::SetVisible(ui::ControlRef control, bool visible) {
  if (QWidget* widget = Find(control)) widget->setVisible(visible);
}

bool QtToolkit::IsVisible(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  return widget != nullptr && !widget->isHidden();
}

void QtToolkit::SetEnabled(ui::ControlRef control, bool enabled) {
  if (QWidget* widget = Find(control)) widget->setEnabled(enabled);
}

bool QtToolkit::IsEnabled(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  return widget != nullptr && widget->isEnabled();
}

void QtToolkit::SetTooltip(ui::ControlRef control, std::string_view text) {
  if (QWidget* widget = Find(control)) widget->setToolTip(ToQ(text));
}

void QtToolkit::SetImage(ui::ControlRef control, std::string_view image) {
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  const QString name = ToQ(image);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    const QIcon icon = skin_.Icon(name);
    if (!icon.isNull()) button->setIcon(icon);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    const QPixmap pixmap = skin_.Pixmap(name);
    if (!pixmap.isNull()) label->setPixmap(pixmap);
  } else if (auto* picture = qobject_cast<MousePictureWidget*>(widget)) {
    picture->SetPicture(skin_.Pixmap(name));
  }
}

ui::Rect QtToolkit::ControlRect(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  if (widget == nullptr) return {};
  const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
  return {origin.x(), origin.y(), widget->width(), widget->height()};
}

void QtToolkit::SetChecked(ui::ControlRef control, bool checked) {
  const Quiet quiet(*this);
  QWidget* widget = Find(control);
  // A chooser is marked as the group of the current function.
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setProperty("active", checked);
    combo->style()->unpolish(combo);
    combo->style()->polish(combo);
    return;
  }
  auto* button = qobject_cast<QAbstractButton*>(widget);
  if (button == nullptr) return;
  // An exclusive group keeps its checked button checked; the program may
  // still clear it, leaving no button of the group checked.
  QButtonGroup* group = checked ? nullptr : button->group();
  const bool exclusive = group != nullptr && group->exclusive();
  if (exclusive) group->setExclusive(false);
  button->setChecked(checked);
  if (exclusive) group->setExclusive(true);
}

bool QtToolkit::IsChecked(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->property("active").toBool();
  const auto* button = qobject_cast<const QAbstractButton*>(widget);
  return button != nullptr && button->isChecked();
}

void QtToolkit::ShowItems(ui::ControlRef control) {
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  const Quiet quiet(*this);
  const Shadow& shadow = ShadowOf(control);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->clear();
    for (const ui::ListItem& item : shadow.items) {
      if (item.image.empty()) {
        combo->addItem(ToQ(item.text), item.data);
      } else {
        combo->addItem(skin_.Icon(ToQ(item.image)), ToQ(item.text), item.data);
      }
    }
    combo->setCurrentIndex(shadow.selection);
  } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
    // Rebuilt without signals, then announced once, so that what follows the
    // current tab (the page shown) never sees a half-built strip.
    tabs->blockSignals(true);
    while (tabs->count() > 0) tabs->removeTab(0);
    for (std::size_t i = 0; i < shadow.items.size(); ++i) {
      const ui::ListItem& item = shadow.items[i];
      const int index = tabs->addTab(skin_.Icon(ToQ(item.image)), ToQ(item.text));
      tabs->setTabData(index, item.data);
      tabs->setTabVisible(index, !shadow.hidden_items[i]);
    }
    if (shadow.selection >= 0) tabs->setCurrentIndex(shadow.selection);
    tabs->blockSignals(false);
    emit tabs->currentChanged(tabs->currentIndex());
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    list->clear();
    const bool editable = list->property("editable").toBool();
    for (const ui::ListItem& item : shadow.items) {
      auto* row = new QListWidgetItem(ToQ(item.text), list);
      row->setData(Qt::UserRole, item.data);
      if (editable) row->setFlags(row->flags() | Qt::ItemIsEditable);
    }
    list->setCurrentRow(shadow.selection);
  } else if (auto* devices = qobject_cast<DeviceListWidget*>(widget)) {
    devices->SetItems(shadow.items);
    devices->SetSelection(shadow.selection);
  } else if (auto* levels = qobject_cast<DpiLevelsWidget*>(widget)) {
    levels->SetItems(shadow.items);
    levels->SetSelection(shadow.selection);
  } else if (auto* rates = qobject_cast<RateListWidget*>(widget)) {
    rates->SetItems(shadow.items);
    rates->SetSelection(shadow.selection);
  } else if (auto* buttons = qobject_cast<ButtonListWidget*>(widget)) {
    buttons->SetItems(shadow.items);
    buttons->SetSelection(shadow.selection);
  } else if (auto* picture = qobject_cast<MousePictureWidget*>(widget)) {
    picture->SetItems(shadow.items);
    picture->SetSelection(shadow.selection);
  }
}

void QtToolkit::ClearItems(ui::ControlRef control) {
  Shadow& shadow = ShadowOf(control);
  shadow.items.clear();
  shadow.hidden_items.clear();
  shadow.selection = -1;
  ShowItems(control);
}

void QtToolkit::AddItem(ui::ControlRef control, const ui::ListItem& item) {
  Shadow& shadow = ShadowOf(control);
  shadow.items.push_back(item);
  shadow.hidden_items.push_back(false);
  shadow.selection = Selection(control);
  ShowItems(control);
}

void QtToolkit::SetItem(ui::ControlRef control, int index, const ui::ListItem& item) {
  Shadow& shadow = ShadowOf(control);
  if (!InRange(index, shadow.items.size())) return;
  shadow.items[index] = item;
  QWidget* widget = Find(control);
  const Quiet quiet(*this);
  // Items are changed in place: a list may be inside the signal of that very item.
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setItemText(index, ToQ(item.text));
    combo->setItemData(index, item.data);
  } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
    tabs->setTabText(index, ToQ(item.text));
    tabs->setTabData(index, item.data);
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    if (QListWidgetItem* row = list->item(index)) {
      row->setText(ToQ(item.text));
      row->setData(Qt::UserRole, item.data);
    }
  } else {
    shadow.selection = Selection(control);
    ShowItems(control);
  }
}

std::vector<ui::ListItem> QtToolkit::Items(ui::ControlRef control) const {
  const auto found = shadows_.find(control);
  return found == shadows_.end() ? std::vector<ui::ListItem>() : found->second.items;
}

void QtToolkit::SetItemVisible(ui::ControlRef control, int index, bool visible) {
  Shadow& shadow = ShadowOf(control);
  if (!InRange(index, shadow.hidden_items.size())) return;
  shadow.hidden_items[index] = !visible;
  const Quiet quiet(*this);
  if (auto* tabs = qobject_cast<QTabBar*>(Find(control))) {
    tabs->setTabVisible(index, visible);
    // The strip does not lay its tabs out again by itself, which would leave
    // a hidden tab's gap; setting a text does.
    tabs->setTabText(index, tabs->tabText(index));
  }
}

void QtToolkit::SetSelection(ui::ControlRef control, int index) {
  Shadow& shadow = ShadowOf(control);
  shadow.selection = InRange(index, shadow.items.size()) ? index : -1;
  QWidget* widget = Find(control);
  const Quiet quiet(*this);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    combo->setCurrentIndex(shadow.selection);
  } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
    if (shadow.selection >= 0) tabs->setCurrentIndex(shadow.selection);
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    list->setCurrentRow(shadow.selection);
  } else if (auto* devices = qobject_cast<DeviceListWidget*>(widget)) {
    devices->SetSelection(shadow.selection);
  } else if (auto* levels = qobject_cast<DpiLevelsWidget*>(widget)) {
    levels->SetSelection(shadow.selection);
  } else if (auto* rates = qobject_cast<RateListWidget*>(widget)) {
    rates->SetSelection(shadow.selection);
  } else if (auto* buttons = qobject_cast<ButtonListWidget*>(widget)) {
    buttons->SetSelection(shadow.selection);
  } else if (auto* picture = qobject_cast<MousePictureWidget*>(widget)) {
    picture->SetSelection(shadow.selection);
  }
}

int QtToolkit::Selection(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentIndex();
  if (auto* tabs = qobject_cast<const QTabBar*>(widget)) return tabs->currentIndex();
  if (auto* list = qobject_cast<const QListWidget*>(widget)) return list->currentRow();
  if (auto* devices = qobject_cast<const DeviceListWidget*>(widget)) return devices->Selection();
  if (auto* levels = qobject_cast<const DpiLevelsWidget*>(widget)) return levels->Selection();
  if (auto* rates = qobject_cast<const RateListWidget*>(widget)) return rates->Selection();
  if (auto* buttons = qobject_cast<const ButtonListWidget*>(widget)) return buttons->Selection();
  if (auto* picture = qobject_cast<const MousePictureWidget*>(widget)) return picture->Selection();
  const auto found = shadows_.find(control);
  return found == shadows_.end() ? -1 : found->second.selection;
}

bool QtToolkit::SelectData(ui::ControlRef control, int data) {
  const std::vector<ui::ListItem>& items = ShadowOf(control).items;
  const auto found =
      std::find_if(items.begin(), items.end(), [data](const ui::ListItem& item) { return item.data == data; });
  if (found == items.end()) return false;
  SetSelection(control, static_cast<int>(found - items.begin()));
  return true;
}

void QtToolkit::SetRange(ui::ControlRef control, int lowest, int highest) {
  Shadow& shadow = ShadowOf(control);
  shadow.lowest = lowest;
  shadow.highest = std::max(lowest, highest);
  shadow.value = std::clamp(shadow.value, shadow.lowest, shadow.highest);
  QWidget* widget = Find(control);
  const Quiet quiet(*this);
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) bar->setRange(shadow.lowest, shadow.highest);
  if (auto* slider = qobject_cast<QSlider*>(widget)) slider->setRange(shadow.lowest, shadow.highest);
}

void QtToolkit::SetRangeCaptions(ui::ControlRef control, std::string_view low, std::string_view high) {
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  widget->setProperty(kLowCaptionProperty, ToQ(low));
  widget->setProperty(kHighCaptionProperty, ToQ(high));
  widget->update();
}

void QtToolkit::SetValue(ui::ControlRef control, int value) {
  Shadow& shadow = ShadowOf(control);
  shadow.value = std::clamp(value, shadow.lowest, shadow.highest);
  QWidget* widget = Find(control);
  const Quiet quiet(*this);
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) bar->setValue(shadow.value);
  if (auto* slider = qobject_cast<QSlider*>(widget)) slider->setValue(shadow.value);
}

int QtToolkit::Value(ui::ControlRef control) const {
  const QWidget* widget = Widget(control);
  if (auto* bar = qobject_cast<const QProgressBar*>(widget)) return bar->value();
  if (auto* slider = qobject_cast<const QSlider*>(widget)) return slider->value();
  const auto found = shadows_.find(control);
  return found == shadows_.end() ? 0 : found->second.value;
}

void QtToolkit::SetRunning(ui::ControlRef control, bool running) {
  if (auto* bar = qobject_cast<MovingBar*>(Find(control))) bar->SetRunning(running);
}

void QtToolkit::SetColour(ui::ControlRef control, int colour) {
  ShadowOf(control).colour = colour & 0xFFFFFF;
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  if (auto* palette = qobject_cast<PaletteWidget*>(widget)) {
    palette->SetColour(colour);
  } else if (auto* choice = qobject_cast<ColourButton*>(widget)) {
    choice->SetColour(colour);
  } else {
    // Swatches and previews are filled with the colour.
    widget->setStyleSheet(QString("background-color: %1;").arg(UnpackQColor(colour).name()));
  }
}

int QtToolkit::Colour(ui::ControlRef control) const {
  const auto found = shadows_.find(control);
  return found == shadows_.end() ? 0 : found->second.colour;
}

void QtToolkit::SetBattery(ui::ControlRef control, int value_a, int value_b) {
  if (auto* battery = qobject_cast<BatteryWidget*>(Find(control))) battery->SetValues(value_a, value_b);
}

void QtToolkit::SetDeviceOnline(ui::ControlRef list, int device_type, int mode, bool online) {
  if (auto* devices = qobject_cast<DeviceListWidget*>(Find(list))) devices->SetOnline(device_type, mode, online);
}

void QtToolkit::SetAllDevicesOffline(ui::ControlRef list) {
  if (auto* devices = qobject_cast<DeviceListWidget*>(Find(list))) devices->SetAllOffline();
}

int QtToolkit::OnlineDeviceCount(ui::ControlRef list) const {
  const auto* devices = qobject_cast<const DeviceListWidget*>(Widget(list));
  return devices == nullptr ? 0 : devices->OnlineCount();
}

void QtToolkit::SetDeviceVersion(ui::ControlRef list, int device_type, std::string_view version) {
  if (auto* devices = qobject_cast<DeviceListWidget*>(Find(list))) devices->SetVersion(device_type, ToQ(version));
}

void QtToolkit::SetDeviceBattery(ui::ControlRef list, int device_type, int value_a, int value_b) {
  if (auto* devices = qobject_cast<DeviceListWidget*>(Find(list))) devices->SetBattery(device_type, value_a, value_b);
}

std::string QtToolkit::KeyName(int evdev_code) const {
  const auto found = key_names_.find(evdev_code);
  return found == key_names_.end() ? std::string() : found->second;
}

bool QtToolkit::StartKeyRecording(ui::ControlRef control) {
  key_recorder_.reset();
  key_recorder_ = std::make_unique<KeyRecorder>([this, control](bool press, int evdev, const QString& name) {
    if (!name.isEmpty()) key_names_[evdev] = name.toStdString();
    Emit(control, press ? ui::event::kKeyPressed : ui::event::kKeyReleased, evdev);
  });
  return key_recorder_->WholeDesktop();
}

void QtToolkit::StopKeyRecording() { key_recorder_.reset(); }

}  // namespace korvane::qt
