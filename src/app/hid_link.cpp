#include "app/hid_link.hpp"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "device/hidapi_transport.hpp"
#include "device/report_log.hpp"
#include "platform/udev_hotplug.hpp"
#include "sim/socket_client.hpp"

namespace korvane {

namespace {
constexpr std::string_view kSimPrefix = "sim:";
constexpr std::string_view kSystemDevices = "hidapi";
}  // namespace

std::string HidChoice(const std::optional<std::string>& hid_option) {
  if (hid_option) return *hid_option;
  const char* variable = std::getenv("KORVANE_HID");
  return variable != nullptr ? variable : "";
}

bool IsVirtualMouseChoice(const std::string& choice) { return choice.starts_with(kSimPrefix); }

std::string HidChoiceProblem(const std::string& choice) {
  if (choice.empty() || choice == kSystemDevices) return {};
  if (!IsVirtualMouseChoice(choice)) return "unknown HID access \"" + choice + "\" (hidapi or sim:SOCKET)";
  std::error_code error;
  const std::filesystem::path socket = choice.substr(kSimPrefix.size());
  if (!std::filesystem::is_socket(socket, error)) return "no virtual mouse socket " + socket.string();
  return {};
}

HidLink OpenHidLink(const std::optional<std::string>& hid_option) {
  const std::string choice = HidChoice(hid_option);
  HidLink link;
  if (IsVirtualMouseChoice(choice)) {
    auto socket = std::make_unique<sim::SocketTransport>(choice.substr(kSimPrefix.size()));
    link.hotplug = socket.get();
    link.transport = std::move(socket);
  } else {
    link.transport = std::make_unique<HidapiTransport>();
    link.owned_hotplug = std::make_unique<UdevHotplugSource>();
    link.hotplug = link.owned_hotplug.get();
  }
  if (ReportLogRequested()) link.transport = WithReportLog(std::move(link.transport), std::cerr);
  return link;
}

}  // namespace korvane
