// The device worker's latency and idle cost, and korvanectl status from a
// cold start, against the virtual mouse.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "idle_cost.hpp"
#include "percentile.hpp"
#include "support/finished_tasks.hpp"
#include "support/worker_rig.hpp"

extern char** environ;

namespace korvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

// The worker rig connected to a wired mouse when plugged is true, with a
// report rate write as task 11.
struct Harness {
  explicit Harness(bool plugged) {
    if (plugged) mouse = rig.Plug(sim::Preset::kWired).front();
    rig.worker.Register(kTaskReportRate, [this] {
      ReportPacket packet = *WritePacket(report::kReportRate, std::array<std::uint8_t, 1>{1});
      return rig.manager.Exchange(packet, report::kPacketSize);
    });
    rig.queue.Push(kTaskStartupScan);
    rig.worker.Start();
    WaitFinished(1);
  }

  void WaitFinished(int count) { events.WaitFor(count); }

  test::FinishedTasks events;
  test::WorkerRig rig{events};
  sim::VirtualBus::DeviceId mouse = 0;
};

// From the push of task 11 to the report rate command arriving at the
// virtual mouse, with the mouse connected and the worker idle.
void BM_QueueToWire(benchmark::State& bench) {
  Harness harness(true);
  std::atomic<Clock::rep> arrived{0};
  harness.rig.bus.SetStateObserver([&](sim::VirtualBus::DeviceId, const sim::MouseState& s) {
    if (!s.log.empty() && s.log.back().command == report::kReportRate && arrived == 0) {
      arrived = Clock::now().time_since_epoch().count();
    }
  });
  std::vector<double> micros;
  int expected = harness.events.Count();
  for (auto _ : bench) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));  // the worker is asleep again
    arrived = 0;
    const auto start = Clock::now();
    harness.rig.queue.Push(kTaskReportRate);
    while (arrived == 0) std::this_thread::yield();
    micros.push_back(
        std::chrono::duration<double, std::micro>(Clock::duration(arrived.load()) - start.time_since_epoch()).count());
    harness.WaitFinished(++expected);
  }
  bench.counters["median_us"] = Percentile(micros, 0.5);
  bench.counters["p99_us"] = Percentile(micros, 0.99);
  bench.counters["goal_median_us"] = 2000;
}
BENCHMARK(BM_QueueToWire)->Iterations(500)->Unit(benchmark::kMicrosecond);

// CPU time and context switches of the whole process while nothing happens.
void IdleCost(benchmark::State& bench, bool plugged) {
  const auto seconds = std::chrono::seconds(bench.range(0));
  for (auto _ : bench) {
    Harness harness(plugged);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // settle after the read-back
    const ProcessCost before = MeasureProcessCost();
    std::this_thread::sleep_for(seconds);
    const ProcessCost after = MeasureProcessCost();
    const double span = static_cast<double>(seconds.count());
    bench.counters["switches_per_s"] = static_cast<double>(after.context_switches - before.context_switches) / span;
    bench.counters["cpu_percent"] = 100.0 * (after.cpu_seconds - before.cpu_seconds) / span;
  }
}
void BM_IdleWithDevice(benchmark::State& bench) { IdleCost(bench, true); }
void BM_IdleWithoutDevice(benchmark::State& bench) { IdleCost(bench, false); }
BENCHMARK(BM_IdleWithDevice)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_IdleWithoutDevice)->Arg(30)->Iterations(1)->Unit(benchmark::kSecond);

int Run(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// korvanectl status against a served virtual mouse: the whole command from
// exec to exit, connection, read-back and output included.
void BM_KorvanectlStatusColdStart(benchmark::State& bench) {
  test::TempDir dir;
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  const std::string socket = (dir / "mouse.sock").string();
  pid_t server = 0;
  std::vector<std::string> serve{KORVANE_VIRTUAL_MOUSE, "serve", "--socket", socket, "--preset", "receiver"};
  std::vector<char*> serve_argv;
  for (std::string& a : serve) serve_argv.push_back(a.data());
  serve_argv.push_back(nullptr);
  posix_spawn(&server, serve_argv[0], nullptr, nullptr, serve_argv.data(), environ);
  while (!std::filesystem::exists(socket)) std::this_thread::sleep_for(std::chrono::milliseconds(5));

  std::vector<double> millis;
  for (auto _ : bench) {
    const auto start = Clock::now();
    const int code = Run({KORVANECTL, "--hid", "sim:" + socket, "status", "--json"});
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (code != 0) bench.SkipWithError("korvanectl status failed");
  }
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  bench.counters["median_ms"] = Percentile(millis, 0.5);
  bench.counters["goal_median_ms"] = 50;
}
BENCHMARK(BM_KorvanectlStatusColdStart)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvane::bench

BENCHMARK_MAIN();
