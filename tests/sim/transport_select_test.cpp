#include <gtest/gtest.h>

#include "platform/hotplug_source.hpp"
#include "sim/socket_client.hpp"
#include "sim/transport_select.hpp"

namespace korvane::sim {
namespace {

TEST(TransportSelect, SimPrefixTalksToASocketAnythingElseToHidapi) {
  const auto virtual_mouse = SelectTransport(std::string("sim:/tmp/none.sock"));
  EXPECT_NE(dynamic_cast<SocketTransport*>(virtual_mouse.get()), nullptr);
  EXPECT_NE(dynamic_cast<HotplugSource*>(virtual_mouse.get()), nullptr);
  EXPECT_EQ(dynamic_cast<SocketTransport*>(SelectTransport(std::nullopt).get()), nullptr);
  EXPECT_EQ(dynamic_cast<SocketTransport*>(SelectTransport(std::string("hidraw")).get()), nullptr);
}

}  // namespace
}  // namespace korvane::sim
