#pragma once

#include <QScrollArea>
#include <map>
#include <vector>

#include "ui/toolkit.hpp"

class QHBoxLayout;

namespace korvane::qt {

class Skin;
class DeviceCard;

// CDeviceList: one card per model (item data = device type, text = name,
// image = picture file) in a row that scrolls sideways. A card shows the
// model's picture, name, connection state, version and battery. Clicking a
// card selects it and reports its index.
class DeviceListWidget final : public QScrollArea {
  Q_OBJECT

 public:
  DeviceListWidget(const Skin& skin, QWidget* parent = nullptr);

  void SetItems(const std::vector<ui::ListItem>& items);
  void SetSelection(int index);
  int Selection() const { return selection_; }
  void SetOnline(int device_type, int mode, bool online);
  void SetAllOffline();
  int OnlineCount() const;
  void SetVersion(int device_type, const QString& version);
  void SetBattery(int device_type, int a, int b);
  // Scrolls by one card to the left (-1) or right (+1).
  void ScrollBy(int cards);

 signals:
  void Clicked(int index);

 private:
  const Skin& skin_;
  QWidget* row_;
  QHBoxLayout* layout_;
  std::vector<DeviceCard*> cards_;
  std::map<int, std::map<int, bool>> online_;  // device type -> mode -> online
  int selection_ = -1;

  DeviceCard* Card(int device_type) const;
  void UpdateCard(int device_type);
};

}  // namespace korvane::qt
