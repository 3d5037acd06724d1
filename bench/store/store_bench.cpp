// The settings store's hot paths on a real database file in a temp folder:
//   build/bin/korvane_store_bench
// Goals, in wall-clock time: at least 20,000 configuration writes per second
// (each with its read back), and under 5 ms to store a 200-event macro.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/config_store.hpp"
#include "store/config_table.hpp"
#include "store/device_database.hpp"
#include "store/macro_table.hpp"
#include "store/profile_table.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

// A settings database with the four profiles of a model.
class BenchStore {
 public:
  BenchStore() {
    std::filesystem::create_directories(dir_ / "db");
    OpenDeviceDatabase(store_, dir_.path(), "bench");
    for (int i = 1; i <= 4; ++i) AddProfile(store_, {.name = "Profile " + std::to_string(i)});
  }
  ConfigStore& store() { return store_; }

 private:
  test::TempDir dir_;
  ConfigStore store_;
};

void BM_SetAndGetConfigValue(benchmark::State& state) {
  BenchStore bench;
  std::string value;
  int i = 0;
  for (auto _ : state) {
    SetConfigValue(bench.store(), 2, ConfigKey::kDpiGroup3Value, std::to_string(i++ % 26000));
    benchmark::DoNotOptimize(GetConfigValue(bench.store(), 2, ConfigKey::kDpiGroup3Value, value));
  }
  state.counters["writes/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SetAndGetConfigValue)->UseRealTime();

void BM_InsertEventRows200(benchmark::State& state) {
  BenchStore bench;
  const int macro = InsertMacroRow(bench.store(), "Recording");
  std::vector<MacroEvent> events;
  for (int i = 0; i < 200; ++i) {
    events.push_back(
        {.macro_id = macro, .type = i % 2, .record_index = i, .value = 4 + i % 40, .delay_time = 20, .desc = "A"});
  }
  for (auto _ : state) {
    state.PauseTiming();
    DeleteEventRows(bench.store(), macro);
    state.ResumeTiming();
    InsertEventRows(bench.store(), events);
  }
}
BENCHMARK(BM_InsertEventRows200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvane
