#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "store/config_table.hpp"
#include "store/macro_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

class StoreThreads : public test::StoreTest {};

// The UI thread and the device worker write and read the same database
// through the store's lock: every operation succeeds, every write is read
// back, and a stored event list is never seen half written.
TEST_F(StoreThreads, TwoThreadsHammerOneDatabaseWithoutErrorsOrLostWrites) {
  ASSERT_EQ(AddProfile(store_, {.name = "P1"}), 1);
  ASSERT_EQ(AddProfile(store_, {.name = "P2"}), 2);
  const int macro = InsertMacroRow(store_, "M");
  constexpr int kRounds = 400;
  constexpr int kEvents = 20;
  std::atomic<int> failures = 0;

  auto writer = [&](int profile, ConfigKey key) {
    std::string value;
    for (int i = 0; i < kRounds; ++i) {
      if (!SetConfigValue(store_, profile, key, std::to_string(i))) ++failures;
      if (!GetConfigValue(store_, profile, key, value) || value != std::to_string(i)) ++failures;
    }
  };
  std::thread ui([&] {
    writer(1, ConfigKey::kDpiGroup0Value);
    for (int i = 0; i < kRounds / 4; ++i) {
      std::vector<MacroEvent> events(kEvents, MacroEvent{.macro_id = macro, .value = i});
      const ConfigStore::Lock lock = store_.Hold();
      if (!DeleteEventRows(store_, macro)) ++failures;
      InsertEventRows(store_, events);
    }
  });
  std::thread worker([&] {
    writer(2, ConfigKey::kReportRate);
    std::vector<MacroEvent> events;
    for (int i = 0; i < kRounds / 4; ++i) {
      const int count = LoadEventRows(store_, macro, events);
      if (count != 0 && count != kEvents) ++failures;
    }
  });
  ui.join();
  worker.join();

  EXPECT_EQ(failures, 0);
  std::string value;
  ASSERT_TRUE(GetConfigValue(store_, 1, ConfigKey::kDpiGroup0Value, value));
  EXPECT_EQ(value, std::to_string(kRounds - 1));
  ASSERT_TRUE(GetConfigValue(store_, 2, ConfigKey::kReportRate, value));
  EXPECT_EQ(value, std::to_string(kRounds - 1));
  std::vector<MacroEvent> events;
  ASSERT_EQ(LoadEventRows(store_, macro, events), kEvents);
  EXPECT_EQ(events.back().value, kRounds / 4 - 1);
}

}  // namespace
}  // namespace korvane
