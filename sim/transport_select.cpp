#include "sim/transport_select.hpp"

#include <string_view>

#include "device/hidapi_transport.hpp"
#include "sim/socket_client.hpp"

namespace korvane::sim {

std::unique_ptr<HidTransport> SelectTransport(const std::optional<std::string>& hid) {
  constexpr std::string_view kPrefix = "sim:";
  if (hid && hid->starts_with(kPrefix)) return std::make_unique<SocketTransport>(hid->substr(kPrefix.size()));
  return std::make_unique<HidapiTransport>();
}

}  // namespace korvane::sim
