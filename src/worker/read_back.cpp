// Reading the mouse's stored settings into the current profile after a
// connection, once per model and program run.
#include <string>

#include "device/report_decoders.hpp"
#include "device/sensor_dpi_table.hpp"
#include "store/config_table.hpp"
#include "store/light_table.hpp"
#include "worker/device_worker.hpp"

namespace korvane {

namespace {

// Smallest decoded DPI value the read-back takes from the mouse.
constexpr int kMinReadDpi = 50;
constexpr int kFullBattery = 100;

int RateCapabilityIndex(std::uint8_t max_rate_code) {
  switch (max_rate_code) {
    case 0x10:
      return 5;
    case 0x20:
      return 6;
    case 0x40:
      return 7;
    default:
      return 4;
  }
}

}  // namespace

bool DeviceWorker::ReadAndStore(std::uint8_t command, const std::function<void(std::span<const std::uint8_t>)>& store) {
  ReportPacket packet = ReadRequest(command);
  if (!context_.manager.Exchange(packet, report::kShortPacketSize)) return false;
  store(packet.bytes);
  return true;
}

bool DeviceWorker::ReadLightingBack() {
  return ReadAndStore(report::kReadLighting, [&](std::span<const std::uint8_t> answer) { StoreLighting(answer); });
}

bool DeviceWorker::ReadBackSettings(bool link_variant) {
  ConnectionState& state = context_.state;
  DeviceManager& manager = context_.manager;
  if (!link_variant) {
    state.online = false;
    const DeviceInfoValues held = state.Info();
    context_.events.BatteryChanged(held.battery_a, kFullBattery);
    state.device_list.SetBattery(state.current_type, held.battery_b, kFullBattery);
  }
  if (const auto entry = manager.CurrentEntry()) {
    if (const auto info = DecodeDeviceInfo(entry->device_info)) {
      state.SetInfo({info->sensor_value, info->sensor_id, RateCapabilityIndex(info->max_rate_code), info->battery_a,
                     info->battery_b});
      state.online = info->online;
      context_.events.BatteryChanged(info->battery_a, info->battery_b);
      state.device_list.SetBattery(state.current_type, info->battery_b, info->battery_a);
      context_.events.DeviceListChanged();
    }
  }
  if (!state.online) return false;
  if (!state.MarkReadBack(state.current_type)) return true;
  // A change the mouse has not taken yet is newer than what the mouse
  // holds: the stored profile wins and is sent instead.
  if (ChangePending()) return true;

  ConfigStore& db = context_.store;
  const int profile = state.current_profile;
  static_assert(std::tuple_size_v<decltype(DpiLevelsAnswer::codes)> <= kDpiValueKeys);
  static_assert(std::tuple_size_v<decltype(DpiColoursAnswer::colours)> <= kDpiColourKeys);
  // Once the store has failed in this task the rest is not stored: with the
  // file locked by another program each write would wait out the busy
  // timeout for nothing.
  auto set = [&](ConfigKey key, int value) {
    if (!StoreFailedDuringTask()) SetConfigValue(db, profile, key, std::to_string(value));
  };

  // The reads stop at the first the mouse does not answer, so a mouse that
  // went away costs one acknowledgement window, not one per read. The
  // settings then count as not read: the refresh reports the failure and the
  // next connection, link or selection reads them again.
  bool answered = true;
  const auto read = [&](std::uint8_t command, const std::function<void(std::span<const std::uint8_t>)>& take) {
    answered = answered && ReadAndStore(command, take);
  };
  read(report::kReadBackStart, [](std::span<const std::uint8_t>) {});
  read(report::kReadReportRate, [&](std::span<const std::uint8_t> answer) {
    if (const auto rate = DecodeReportRate(answer)) {
      set(ConfigKey::kReportRate, rate->rate_code);
      set(ConfigKey::kReportRateWireless, rate->rate_code);
    }
  });
  read(report::kReadDpiLevels, [&](std::span<const std::uint8_t> answer) {
    const auto levels = DecodeDpiLevels(answer);
    if (!levels) return;
    if (DpiSelectionInRange(levels->count, levels->index)) {
      set(ConfigKey::kDpiCount, levels->count);
      set(ConfigKey::kDpiFlag, levels->count);
      set(ConfigKey::kDpiIndex, levels->index);
    }
    const SensorDpiRow& row = SensorRowFor(state.Info().sensor_id);
    for (std::size_t k = 0; k < levels->codes.size(); ++k) {
      const auto dpi = DecodeDpi(row, levels->codes[k]);
      if (dpi && *dpi >= kMinReadDpi) set(DpiValueKey(static_cast<int>(k)), *dpi);
    }
  });
  read(report::kReadDpiColours, [&](std::span<const std::uint8_t> answer) {
    const auto colours = DecodeDpiColours(answer);
    if (!colours) return;
    for (std::size_t k = 0; k < colours->colours.size(); ++k) {
      set(DpiColourKey(static_cast<int>(k)), colours->colours[k]);
    }
  });
  answered = answered && ReadLightingBack();
  read(report::kReadLiftOffSensor, [&](std::span<const std::uint8_t> answer) {
    if (const auto sensor = DecodeLiftOffSensor(answer)) {
      set(ConfigKey::kLiftOffHeight, sensor->liftoff_height);
      set(ConfigKey::kSensorFlag, sensor->sensor_flag);
    }
  });
  read(report::kReadPower, [&](std::span<const std::uint8_t> answer) {
    if (const auto power = DecodePower(answer)) {
      set(ConfigKey::kSleepLight, power->sleep_light);
      set(ConfigKey::kMoveWakeup, power->move_wakeup);
      set(ConfigKey::kMoveCloseLight, power->move_closelight);
      set(ConfigKey::kButtonRespondTime, power->button_respondtime);
    }
  });
  if (!link_variant && manager.GetConnectionMode() == kReceiver) {
    read(report::kReadReceiverVersion, [&](std::span<const std::uint8_t> answer) {
      if (const auto version = DecodeReceiverVersion(answer)) state.SetReceiverVersion(*version);
    });
  }
  if (!answered) state.ForgetReadBack(state.current_type);
  return answered;
}

// The mouse's lighting mode becomes the profile's active mode with its
// brightness and speed. A mode the profile has no row for (one the model
// does not offer) changes nothing, not even which row is active.
void DeviceWorker::StoreLighting(std::span<const std::uint8_t> answer) {
  const auto lighting = DecodeLighting(answer);
  if (!lighting || StoreFailedDuringTask()) return;
  const int profile = context_.state.current_profile;
  LightSetting row;
  if (!LoadLightRow(context_.store, profile, lighting->mode, row)) return;
  context_.state.current_light_mode = lighting->mode;
  MarkActiveLight(context_.store, profile, lighting->mode);
  row.brightness = lighting->brightness;
  row.speed = lighting->speed;
  UpdateLightRow(context_.store, lighting->mode, row);
}

}  // namespace korvane
