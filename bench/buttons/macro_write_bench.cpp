// Sending a button's macro with the button table (task 6) against a virtual
// mouse that answers each command 1 ms late: a 101-event macro fills the 15
// frames the mouse can number, then the table follows, 16 exchanges in all.
// The time over 16 × 1 ms shows what encoding, the worker and the transport
// add beyond waiting for the mouse.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "buttons/button_functions.hpp"
#include "macros/macro_encoding.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "support/finished_tasks.hpp"
#include "support/worker_rig.hpp"

namespace korvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kButton = 3;

void BM_LongestMacroSlowMouse(benchmark::State& bench) {
  test::FinishedTasks events;
  test::WorkerRig rig{events};
  const auto mouse = rig.Plug(sim::Preset::kWired).front();
  rig.queue.Push(kTaskStartupScan);
  rig.worker.Start();
  events.WaitFor(1);

  const int macro = InsertMacroRow(rig.store, "Longest");
  std::vector<MacroEvent> macro_events;
  for (int i = 0; i < static_cast<int>(kMaxMacroRecords); ++i) {
    macro_events.push_back({.macro_id = macro,
                            .type = i % 2 == 0 ? kEventKeyDown : kEventKeyUp,
                            .record_index = i,
                            .value = 0x41,
                            .delay_time = 10});
  }
  InsertEventRows(rig.store, macro_events);
  KeyAssignment row;
  row.profile = rig.state.current_profile;
  row.key_code = kButton;
  row.macro_type = kFunctionMacro;
  row.macro_value = macro;
  row.macro_desc = "Longest";
  StoreKeyAssignment(rig.store, row);
  rig.bus.DelayAnswers(mouse, std::chrono::milliseconds(1));

  constexpr double kDelay = 0.001;
  double total = 0;
  std::size_t exchanges = 0;
  for (auto _ : bench) {
    const std::size_t logged = rig.bus.State(mouse).log.size();
    const int before = events.Count();
    const auto start = Clock::now();
    rig.session->pending_macro.Set(kButton);
    rig.queue.Push(kTaskButtons);
    events.WaitFor(before + 1);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    exchanges += rig.bus.State(mouse).log.size() - logged;
    total += seconds;
    bench.SetIterationTime(seconds);
  }
  bench.counters["exchanges_per_task"] = static_cast<double>(exchanges) / static_cast<double>(bench.iterations());
  bench.counters["ratio_to_answer_time"] = total / (static_cast<double>(exchanges) * kDelay);
  bench.counters["goal_ratio"] = 1.3;
}
BENCHMARK(BM_LongestMacroSlowMouse)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
}  // namespace korvane::bench

BENCHMARK_MAIN();
