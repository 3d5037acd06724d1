#include "device/accepted_interface.hpp"

namespace korvane {

bool IsAcceptedInterface(const HidInterfaceInfo& info) {
  return (info.usage_page == 0x0001 && info.usage == 0x0000) || (info.usage_page == 0xFF01 && info.usage == 0x0010);
}

bool IsUpdateInterface(const HidInterfaceInfo& info) { return info.usage_page == 0xFFEF && info.usage == 0x0000; }

std::optional<HidInterfaceInfo> ProbeAmong(std::vector<HidInterfaceInfo> listed, const std::string& path) {
  std::optional<HidInterfaceInfo> first;
  for (HidInterfaceInfo& info : listed) {
    if (info.path != path) continue;
    if (IsAcceptedInterface(info)) return std::move(info);
    if (!first) first = std::move(info);
  }
  return first;
}

bool ProbeHidInterface(HidTransport& transport, const std::string& path) {
  const auto info = transport.Probe(path);
  return info && IsAcceptedInterface(*info);
}

}  // namespace korvane
