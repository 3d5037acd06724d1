#include "profiles/model_loader.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>

#include "catalog/current_model.hpp"
#include "platform/app_settings.hpp"
#include "store/config_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// Two levels only: the other levels keep the database's defaults.
constexpr char kAlpha[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
  <custom show_dpitips="1" show_savetips="1" show_lod="0" show_sensor="1"/>
  <mouse_info>
    <dpi_info default_dpi="0" dpi_count="4">
      <dpi_1 value="400" color="#FF8000"/>
      <dpi_2 value="1200" color="#0000FF"/>
    </dpi_info>
    <report_rate default_value="8"/>
    <sleep_light value="60"/>
    <move_wakeup value="0"/>
    <move_closelight value="0"/>
  </mouse_info>
</mouse>)";

class ModelLoader : public ::testing::Test {
 protected:
  ModelLoader() : settings_(dir_ / "config") {
    fs::create_directories(dir_ / "config");
    fs::create_directories(dir_ / "data/db");
    dir_.Write("res/device/alpha.xml", kAlpha);
    for (const auto& [type, name, attr] : {std::tuple{1, "Alpha", "alpha"}, std::tuple{2, "Beta", "beta"}}) {
      CatalogEntry model;
      model.name = name;
      model.device_type = type;
      model.device_attr = attr;
      catalog_.models.push_back(model);
    }
  }

  ModelSources Sources() const {
    return {.catalog = catalog_, .settings = settings_, .resources = dir_ / "res", .data_folder = dir_ / "data"};
  }

  bool Load(int device_type) {
    SetCurrentType(settings_, device_type);
    LoadReport report;
    return LoadDeviceModel(Sources(), store_, model_, report);
  }

  std::string Value(int profile, ConfigKey key) {
    std::string value;
    GetConfigValue(store_, profile, key, value);
    return value;
  }

  test::TempDir dir_;
  AppSettings settings_;
  DeviceCatalog catalog_;
  ConfigStore store_;
  DeviceModel model_;
};

TEST_F(ModelLoader, EachLoadSwitchesTheStoreToTheCurrentModelsDatabase) {
  EXPECT_TRUE(Load(1));
  EXPECT_EQ(model_.name, "Alpha");
  EXPECT_FALSE(model_.lod_shown);
  EXPECT_EQ(store_.Path(), (dir_ / "data/db/alpha_data1.db").string());
  ASSERT_TRUE(store_.IsOpen());
  ASSERT_EQ(AddProfile(store_, {.name = "Alpha 1"}), 1);

  EXPECT_FALSE(Load(2)) << "beta has no definition file";
  EXPECT_EQ(model_.device_attr, "beta");
  EXPECT_FALSE(model_.lod_shown) << "flags keep their values";
  EXPECT_EQ(store_.Path(), (dir_ / "data/db/beta_data1.db").string());
  EXPECT_TRUE(store_.IsOpen()) << "the database is created all the same";
  std::string name;
  EXPECT_FALSE(GetProfileName(store_, 1, name));

  Load(1);
  EXPECT_TRUE(GetProfileName(store_, 1, name));
  EXPECT_EQ(name, "Alpha 1");

  Load(77);
  EXPECT_EQ(model_.name, "");
  EXPECT_EQ(store_.Path(), (dir_ / "data/db/_data1.db").string()) << "an unknown type names the file from nothing";
}

TEST_F(ModelLoader, ReadModelDefaultsWritesTheModelsValuesToOneProfile) {
  Load(1);
  AddProfile(store_, {.name = "P1"});
  AddProfile(store_, {.name = "P2"});
  ReadModelDefaults(Sources(), store_, 2);

  EXPECT_EQ(Value(2, ConfigKey::kDpiIndex), "0");
  EXPECT_EQ(Value(2, ConfigKey::kDpiCount), "4");
  EXPECT_EQ(Value(2, ConfigKey::kDpiFlag), "4");
  EXPECT_EQ(Value(2, ConfigKey::kDpiGroup0Value), "400");
  EXPECT_EQ(Value(2, ConfigKey::kDpiGroup0Rgb), "33023");
  EXPECT_EQ(Value(2, ConfigKey::kDpiGroup1Rgb), "16711680");
  EXPECT_EQ(Value(2, ConfigKey::kDpiGroup2Value), "2400") << "a level the file lacks keeps its value";
  EXPECT_EQ(Value(2, ConfigKey::kReportRate), "8");
  EXPECT_EQ(Value(2, ConfigKey::kReportRateWireless), "1") << "left to the report-rate reset";
  EXPECT_EQ(Value(2, ConfigKey::kSleepLight), "60");
  EXPECT_EQ(Value(2, ConfigKey::kMoveWakeup), "0");
  EXPECT_EQ(Value(2, ConfigKey::kMoveCloseLight), "0");
  EXPECT_EQ(Value(1, ConfigKey::kDpiGroup0Value), "800") << "another profile is untouched";
}

// Another thread's table operations run while the model is loaded again and
// again: each sees the old database or the new one, never a closed store.
TEST_F(ModelLoader, AReloadNeverShowsAnotherThreadAClosedStore) {
  for (const int type : {2, 1}) {
    Load(type);
    ASSERT_EQ(AddProfile(store_, {.name = "P1"}), 1);
  }
  std::atomic<bool> loading = true;
  std::atomic<int> reads = 0;
  std::atomic<int> failures = 0;
  std::thread reader([&] {
    std::string value;
    while (loading) {
      if (!GetConfigValue(store_, 1, ConfigKey::kReportRate, value)) ++failures;
      ++reads;
    }
  });
  for (int i = 0; i < 200; ++i) Load(1 + i % 2);
  loading = false;
  reader.join();
  EXPECT_EQ(failures, 0) << "of " << reads << " reads";
}

}  // namespace
}  // namespace korvane
