#pragma once

#include <memory>
#include <optional>
#include <string>

#include "device/hid_transport.hpp"
#include "platform/hotplug_source.hpp"

namespace korvane {

// How a program reaches the mouse: the HID transport, where its hot-plug
// events come from, and what it owns for them.
struct HidLink {
  std::unique_ptr<HidTransport> transport;
  HotplugSource* hotplug = nullptr;  // the served virtual mouse, or the udev monitor
  std::unique_ptr<HotplugSource> owned_hotplug;
};

// The transport --hid asks for, else the KORVANE_HID environment variable:
// "sim:SOCKET" talks to a korvane-virtual-mouse serving SOCKET, which also
// reports its plugs and unplugs; anything else, or nothing, is the system's
// HID devices through hidapi with a udev monitor for hot-plug. With
// KORVANE_LOG=debug every report is printed on standard error.
HidLink OpenHidLink(const std::optional<std::string>& hid_option);

}  // namespace korvane
