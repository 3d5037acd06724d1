#include "sim/presets.hpp"

#include <gtest/gtest.h>

#include <set>

#include "catalog/catalog_file.hpp"
#include "sim/device_traits.hpp"
#include "sim/sensor_codes.hpp"

namespace korvane::sim {
namespace {

const std::filesystem::path kData = KORVANE_SOURCE_DATA;

PresetResult Build(Preset preset, PresetOptions options = {}) {
  options.preset = preset;
  return BuildPreset(kData, options);
}

TEST(Presets, WiredTakesTheFirstWiredModelOfTheCatalog) {
  const PresetResult result = Build(Preset::kWired);
  ASSERT_EQ(result.devices.size(), 1u) << result.error;
  const VirtualDevice& d = result.devices[0];
  EXPECT_EQ(d.name, "wired");
  EXPECT_EQ(d.product, "Korvane Arc 8K");
  EXPECT_EQ(d.vendor_id, 0x3A7C);
  EXPECT_EQ(d.product_id, 0x1001);
  EXPECT_EQ(std::string(d.state.identity.dev_id.begin(), d.state.identity.dev_id.end()), "A801");
  EXPECT_FALSE(d.state.identity.receiver);
  EXPECT_TRUE(d.state.linked);
  const Settings& f = d.state.factory;
  EXPECT_EQ(f, d.state.settings);
  EXPECT_EQ(f.dpi_count, 6);
  EXPECT_EQ(f.dpi_index, 2);
  const std::array<std::uint16_t, 6> codes{7, 15, 31, 63, 95, 159};  // 400..8000 DPI in 50-DPI steps
  EXPECT_EQ(f.dpi_codes, codes);
  EXPECT_EQ(f.dpi_colours[1], (Colour{0, 0, 255}));
  EXPECT_EQ(f.report_rate, 1);
  EXPECT_EQ(f.sleep, 30);
  EXPECT_EQ(f.lighting.mode, 1);
  EXPECT_EQ(f.buttons.size(), kButtonTableBytes);
  EXPECT_EQ(f.buttons[15], 0x40) << "button 5 cycles the DPI levels";
}

TEST(Presets, ReceiverPresetsAndBoth) {
  const PresetResult receiver = Build(Preset::kReceiver);
  ASSERT_EQ(receiver.devices.size(), 1u) << receiver.error;
  EXPECT_EQ(receiver.devices[0].product_id, 0x1100);
  EXPECT_TRUE(receiver.devices[0].state.identity.receiver);
  EXPECT_TRUE(receiver.devices[0].state.linked);
  EXPECT_FALSE(Build(Preset::kReceiverUnlinked).devices.at(0).state.linked);
  const PresetResult both = Build(Preset::kBoth);
  ASSERT_EQ(both.devices.size(), 2u);
  EXPECT_EQ(both.devices[0].name, "wired");
  EXPECT_EQ(both.devices[1].name, "receiver");
}

TEST(Presets, ModelChoiceAndOverrides) {
  PresetOptions options;
  options.model = "korvane_slate";
  const PresetResult slate = Build(Preset::kWired, options);
  ASSERT_EQ(slate.devices.size(), 1u) << slate.error;
  EXPECT_EQ(slate.devices[0].product_id, 0x1003);
  EXPECT_EQ(slate.devices[0].state.identity.sensor_id, 4);
  EXPECT_EQ(slate.devices[0].state.factory.lighting.mode, 0) << "no effect enabled";
  EXPECT_EQ(slate.devices[0].state.factory.dpi_codes[5], 80);
  EXPECT_FALSE(Build(Preset::kReceiver, options).error.empty()) << "the Slate has no receiver";
  options.model = "no_such_model";
  EXPECT_FALSE(Build(Preset::kWired, options).error.empty());

  PresetOptions overrides;
  overrides.model = "korvane_arc_mini";
  overrides.sensor = 37;
  overrides.rate_capability = 0x10;
  overrides.dev_id = "ZZ99";
  overrides.battery = std::pair{10, 20};
  const MouseState s = Build(Preset::kReceiver, overrides).devices.at(0).state;
  EXPECT_EQ(s.identity.sensor_id, 37);
  EXPECT_EQ(s.identity.rate_capability, 0x10);
  EXPECT_EQ(std::string(s.identity.dev_id.begin(), s.identity.dev_id.end()), "ZZ99");
  EXPECT_EQ(s.battery_a, 10);
  EXPECT_EQ(s.battery_b, 20);
  EXPECT_EQ(s.factory.dpi_codes[5], 48) << "4800 DPI on sensor 37";

  EXPECT_FALSE(BuildPreset("/nonexistent", {}).error.empty());
}

TEST(Presets, ShippedModelsUseThreeDifferentSensorRows) {
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(kData), {}, report);
  std::set<int> sensors;
  for (const CatalogEntry& model : catalog.models) sensors.insert(TraitsOf(model.device_attr).sensor_id);
  EXPECT_GE(sensors.size(), 3u);
  EXPECT_EQ(sensors.count(0), 0u) << "every shipped model is in the trait table";
}

TEST(SensorCodes, EncodeDpiPerSensorRow) {
  struct Case {
    int sensor, dpi, code;
  };
  for (const Case& c : std::vector<Case>{
           {4, 100, 1},      {4, 8000, 80},    {4, 99999, 80},   {4, 0, 1},         {5, 6400, 128},    {5, 6500, 129},
           {5, 12000, 184},  {16, 4800, 48},   {18, 150, 1},     {17, 10000, 200},  {17, 10100, 201},  {17, 12500, 220},
           {17, 13000, 221}, {17, 24000, 232}, {25, 16000, 160}, {25, 17000, 161},  {25, 30000, 174},  {37, 5000, 50},
           {37, 5300, 50},   {37, 5500, 51},   {37, 10000, 60},  {38, 200, 1},      {38, 5000, 49},    {38, 5500, 50},
           {38, 10000, 59},  {53, 16000, 160}, {149, 100, 1},    {149, 26000, 519}, {150, 38000, 759}, {0, 50, 0},
           {99, 800, 15},    {99, 26000, 519}}) {
    EXPECT_EQ(DpiCode(c.sensor, c.dpi), c.code) << "sensor " << c.sensor << ", " << c.dpi << " DPI";
  }
}

}  // namespace
}  // namespace korvane::sim
