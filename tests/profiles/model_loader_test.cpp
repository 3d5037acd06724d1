#include "profiles/model_loader.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>

#include "catalog/current_model.hpp"
#include "model_fixture.hpp"
#include "platform/app_settings.hpp"
#include "store/config_table.hpp"
#include "store/profile_table.hpp"

namespace korvane {
namespace {

using ModelLoader = test::ModelFixture;

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
  EXPECT_FALSE(store_.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "data/db/_data1.db")) << "no database without a known model";
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
