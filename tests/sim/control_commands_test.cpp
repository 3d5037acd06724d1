#include "sim/control_commands.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/sim_test_support.hpp"

namespace korvane::sim {
namespace {

VirtualDevice Receiver() {
  VirtualDevice d;
  d.name = "receiver";
  d.vendor_id = 0x3A7C;
  d.product_id = 0x1100;
  d.state = test::FactoryReceiver(true);
  return d;
}

TEST(ControlCommands, WordsInResultAndEffectOut) {
  struct Case {
    std::vector<std::string> words;
    bool ok;
  };
  VirtualBus bus;
  const auto id = bus.Add(Receiver());
  for (const Case& c : std::vector<Case>{
           {{"unlink"}, true},
           {{"unlink"}, false},
           {{"link"}, true},
           {{"dpi-button", "3", "2"}, true},
           {{"dpi-button", "3", "3"}, false},
           {{"dpi-button", "3"}, false},
           {{"battery", "40", "2"}, true},
           {{"battery", "256", "2"}, false},
           {{"battery", "-1", "2"}, false},
           {{"nak", "2"}, true},
           {{"nak", "2", "300"}, true},
           {{"nak", "2", "300", "1"}, false},
           {{"drop", "1"}, true},
           {{"drop", "x"}, false},
           {{"delay", "25"}, true},
           {{"interject", "1"}, true},
           {{"unplug-mid-write"}, true},
           {{"unplug"}, true},
           {{"unplug"}, false},
           {{"plug"}, true},
           {{"state", "now"}, false},
           {{"reboot"}, false},
           {{}, false},
       }) {
    std::string joined;
    for (const auto& w : c.words) joined += w + " ";
    EXPECT_EQ(RunControl(bus, "", c.words).ok, c.ok) << joined;
  }
  const MouseState state = bus.State(id);
  EXPECT_TRUE(state.linked);
  EXPECT_TRUE(state.plugged);
  EXPECT_EQ(state.settings.dpi_count, 3);
  EXPECT_EQ(state.settings.dpi_index, 2);
  EXPECT_EQ(state.battery_a, 40);
}

TEST(ControlCommands, StateHasTheDocumentedShape) {
  VirtualBus bus;
  bus.Add(Receiver());
  const ControlResult result = RunControl(bus, "", {"state"});
  ASSERT_TRUE(result.ok);
  const auto state = nlohmann::json::parse(result.text);
  EXPECT_TRUE(state["linked"].get<bool>());
  EXPECT_TRUE(state["plugged"].get<bool>());
  const auto& settings = state["settings"];
  EXPECT_EQ(settings["report_rate"], 1);
  EXPECT_EQ(settings["dpi"]["count"], 6);
  EXPECT_EQ(settings["dpi"]["codes"].size(), 6u);
  EXPECT_EQ(settings["dpi_colours"][0], "FF0000");
  EXPECT_EQ(settings["sensor"], nlohmann::json::array({0, 1}));
  EXPECT_EQ(settings["power"]["sleep"], 30);
  EXPECT_EQ(settings["lighting"]["colours"].size(), 7u);
  EXPECT_EQ(settings["buttons"].get<std::string>().size(), 54u);
  EXPECT_TRUE(settings["macros"].empty());
  EXPECT_TRUE(state["log"].empty());
  EXPECT_EQ(state["firmware"]["crc_errors"], 0);

  bus.Add(Receiver());
  const auto two = nlohmann::json::parse(RunControl(bus, "", {"state"}).text);
  EXPECT_TRUE(two.contains("receiver"));
}

}  // namespace
}  // namespace korvane::sim
