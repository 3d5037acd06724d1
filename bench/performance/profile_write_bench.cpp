// Writing a whole profile to the mouse (task 5) against the virtual mouse,
// answering at once and answering each command 1 ms late.
#include <benchmark/benchmark.h>

#include <chrono>

#include "performance/lighting_model.hpp"
#include "support/finished_tasks.hpp"
#include "support/worker_rig.hpp"

namespace korvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

// A wired mouse with lighting, connected, the performance handlers
// registered and the profile's light rows in place.
struct Harness {
  Harness() {
    mouse = rig.Plug(sim::Preset::kWired).front();
    rig.queue.Push(kTaskStartupScan);
    rig.worker.Start();
    WaitFinished(1);
    EnsureDefaultLightRows(rig.store, rig.state.current_profile, rig.model.Get().light_modes);
  }

  void WaitFinished(int total) { events.WaitFor(total); }

  // Runs a task once; its wall-clock time in seconds.
  double RunTask(TaskCode code) {
    const int before = events.Count();
    const auto start = Clock::now();
    rig.queue.Push(code);
    WaitFinished(before + 1);
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  test::FinishedTasks events;
  test::WorkerRig rig{events};
  sim::VirtualBus::DeviceId mouse = 0;
};

void BM_FullProfileWrite(benchmark::State& bench) {
  Harness harness;
  for (auto _ : bench) bench.SetIterationTime(harness.RunTask(kTaskWriteProfile));
  bench.counters["goal_ms"] = 20;
}
BENCHMARK(BM_FullProfileWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// Each answer 1 ms late: the time of a task over its exchanges × 1 ms shows
// what the worker and the transport add beyond waiting for the mouse. The
// whole profile (goal under 1.3) is measured next to the single report-rate
// write, whose ratio is the transport's own share.
void SlowMouse(benchmark::State& bench, TaskCode code) {
  Harness harness;
  constexpr double kDelay = 0.001;
  harness.rig.bus.DelayAnswers(harness.mouse, std::chrono::milliseconds(1));
  double total = 0;
  std::size_t exchanges = 0;
  for (auto _ : bench) {
    const std::size_t logged = harness.rig.bus.State(harness.mouse).log.size();
    const double seconds = harness.RunTask(code);
    exchanges += harness.rig.bus.State(harness.mouse).log.size() - logged;
    total += seconds;
    bench.SetIterationTime(seconds);
  }
  bench.counters["exchanges_per_task"] = static_cast<double>(exchanges) / static_cast<double>(bench.iterations());
  bench.counters["ratio_to_answer_time"] = total / (static_cast<double>(exchanges) * kDelay);
}

void BM_FullProfileWriteSlowMouse(benchmark::State& bench) {
  SlowMouse(bench, kTaskWriteProfile);
  bench.counters["goal_ratio"] = 1.3;
}
BENCHMARK(BM_FullProfileWriteSlowMouse)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_ReportRateWriteSlowMouse(benchmark::State& bench) { SlowMouse(bench, kTaskReportRate); }
BENCHMARK(BM_ReportRateWriteSlowMouse)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
}  // namespace korvane::bench

BENCHMARK_MAIN();
