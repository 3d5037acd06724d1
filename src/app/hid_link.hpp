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
// reports its plugs and unplugs; "hidapi", an empty text or nothing is the
// system's HID devices through hidapi with a udev monitor for hot-plug. With
// KORVANE_LOG=debug every report is printed on standard error.
HidLink OpenHidLink(const std::optional<std::string>& hid_option);

// Why a --hid value (or KORVANE_HID) cannot be used: an unknown kind, or a
// socket that does not exist; empty when it can.
std::string HidChoiceProblem(const std::string& choice);
// Whether a choice names a virtual mouse's socket ("sim:SOCKET").
bool IsVirtualMouseChoice(const std::string& choice);
// The choice in effect: the option, else KORVANE_HID.
std::string HidChoice(const std::optional<std::string>& hid_option);

}  // namespace korvane
