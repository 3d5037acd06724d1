// The update layer: a 100,000-byte firmware image flashed to a virtual mouse
// whose loader takes 1 ms per report, against the time the mouse and the two
// 10 ms pauses need at the least; and a 50 MiB download from a loopback
// server, against the curl program fetching the same file in the same run.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "device/sleeper.hpp"
#include "percentile.hpp"
#include "support/finished_tasks.hpp"
#include "support/http_server.hpp"
#include "support/temp_dir.hpp"
#include "support/worker_rig.hpp"
#include "update/firmware_upgrade.hpp"
#include "update/http_downloader.hpp"

namespace korvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void BM_FirmwareUpgrade100k(benchmark::State& bench) {
  constexpr auto kReportTime = std::chrono::milliseconds(1);
  constexpr std::size_t kImageBytes = 100'000;
  constexpr std::size_t kReports = 2084;
  constexpr auto kFloor = kReports * kReportTime + 2 * std::chrono::milliseconds(10);

  test::FinishedTasks events;
  test::WorkerRig rig{events};
  const auto mouse = rig.Plug(sim::Preset::kWired).front();
  rig.queue.Push(kTaskStartupScan);
  rig.worker.Start();
  events.WaitFor(1);
  // The flash goes straight to the device manager, which the worker must
  // not use meanwhile.
  rig.worker.Stop();
  rig.bus.SlowUpdateWrites(mouse, kReportTime);

  std::vector<std::uint8_t> image(kImageBytes);
  std::iota(image.begin(), image.end(), std::uint8_t{1});
  ThreadSleeper sleeper;
  double total = 0;
  for (auto _ : bench) {
    const auto start = Clock::now();
    if (FlashFirmwareImage(rig.manager, sleeper, image, {}) != UpdateProblem::kNone) {
      bench.SkipWithError("the flash failed");
      return;
    }
    const double seconds = SecondsSince(start);
    total += seconds;
    bench.SetIterationTime(seconds);
  }
  // 100,000 bytes are 6,250 whole packets: the loader holds the image as it is.
  const sim::UpdateState loader = rig.bus.State(mouse).update;
  if (!loader.finished || loader.crc_errors != 0 || loader.image != image) {
    bench.SkipWithError("the mouse did not receive the image whole");
  }
  bench.counters["ratio_to_floor"] =
      total / static_cast<double>(bench.iterations()) / std::chrono::duration<double>(kFloor).count();
  bench.counters["goal_ratio"] = 1.1;
}
BENCHMARK(BM_FirmwareUpgrade100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Runs `curl -s -o file url` and waits for it: its exit status, or -1 when
// it could not be started or did not exit by itself.
int RunCurl(const std::string& url, const std::filesystem::path& file) {
  std::array<std::string, 5> args{"curl", "-s", "-o", file.string(), url};
  std::array<char*, 6> argv{args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data(), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void BM_FetchFile50MiB(benchmark::State& bench) {
  constexpr std::size_t kMiB = 1024 * 1024;
  constexpr std::size_t kBytes = 50 * kMiB;
  test::TempDir dir;
  const std::filesystem::path served = dir.Write("served.bin", test::GeneratedBody(0, kBytes));
  const std::filesystem::path ours = dir / "ours.bin";
  const std::filesystem::path theirs = dir / "curl.bin";
  test::LoopbackHttpServer server;
  server.ServeFile("/served.bin", served.string());
  const std::string url = server.BaseUrl() + "/served.bin";

  HttpDownloader downloader;
  std::vector<double> our_seconds;
  std::vector<double> curl_seconds;
  for (auto _ : bench) {
    std::filesystem::remove(theirs);
    auto start = Clock::now();
    const int status = RunCurl(url, theirs);
    curl_seconds.push_back(SecondsSince(start));
    if (status == -1) {
      bench.SkipWithError("curl could not be run; is it on PATH?");
      return;
    }
    if (status != 0 || std::filesystem::file_size(theirs) != kBytes) {
      bench.SkipWithError("curl did not fetch the file whole");
      return;
    }

    std::filesystem::remove(ours);
    int progress = 0;
    start = Clock::now();
    const FetchResult result = downloader.FetchFile(url, ours, [&](int percent) { progress = percent; });
    our_seconds.push_back(SecondsSince(start));
    bench.SetIterationTime(our_seconds.back());
    if (result != FetchResult::kCompleted || progress != 100 || std::filesystem::file_size(ours) != kBytes) {
      bench.SkipWithError("the download did not arrive whole");
      return;
    }
  }
  const double ours_median = Percentile(our_seconds, 0.5);
  bench.counters["MiB_per_s"] = static_cast<double>(kBytes / kMiB) / ours_median;
  bench.counters["ratio_to_curl"] = Percentile(curl_seconds, 0.5) / ours_median;
  bench.counters["goal_ratio"] = 0.8;
}
BENCHMARK(BM_FetchFile50MiB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace korvane::bench

BENCHMARK_MAIN();
