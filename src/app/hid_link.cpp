#include "app/hid_link.hpp"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "device/hidapi_transport.hpp"
#include "device/report_log.hpp"
#include "platform/udev_hotplug.hpp"
#include "sim/socket_client.hpp"

namespace korvane {

HidLink OpenHidLink(const std::optional<std::string>& hid_option) {
  constexpr std::string_view kSimPrefix = "sim:";
  std::string choice = hid_option.value_or("");
  if (!hid_option) {
    if (const char* variable = std::getenv("KORVANE_HID")) choice = variable;
  }
  HidLink link;
  if (choice.starts_with(kSimPrefix)) {
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
