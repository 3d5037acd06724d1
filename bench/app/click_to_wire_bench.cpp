// From a click, routed by the main window's controller, to the command it
// makes reaching the in-process virtual mouse: the page's store and queue,
// the worker's wake-up, the command's build and the write. Two clicks: a
// report rate chosen on the performance page (command 0x02) and a button
// function chosen on the buttons page (the button table, 0x09).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "app/device_main_dlg.hpp"
#include "device/report_format.hpp"
#include "percentile.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "support/fake_toolkit.hpp"
#include "support/temp_dir.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/main_texts.hpp"
#include "worker/task_queue.hpp"

namespace korvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

// Stamps the moment a command is written to the mouse.
class WireTap final : public HidTransport {
 public:
  WireTap(HidTransport& inner, std::uint8_t command) : inner_(inner), command_(command) {}

  std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
  std::optional<HidInterfaceInfo> Probe(const std::string& path) override { return inner_.Probe(path); }
  std::unique_ptr<HidHandle> Open(const std::string& path) override {
    auto handle = inner_.Open(path);
    return handle ? std::make_unique<Handle>(std::move(handle), *this) : nullptr;
  }

  int Writes() const { return writes_; }
  Clock::time_point LastWrite() const { return Clock::time_point(Clock::duration(last_write_.load())); }

 private:
  class Handle final : public HidHandle {
   public:
    Handle(std::unique_ptr<HidHandle> inner, WireTap& tap) : inner_(std::move(inner)), tap_(tap) {}
    int Write(std::span<const std::uint8_t> report) override {
      const int written = inner_->Write(report);
      if (report.size() > report::kCommandByte && report[report::kCommandByte] == tap_.command_) {
        tap_.last_write_ = Clock::now().time_since_epoch().count();
        ++tap_.writes_;
      }
      return written;
    }
    int Read(std::span<std::uint8_t> buffer, int timeout_ms) override { return inner_->Read(buffer, timeout_ms); }
    void InterruptRead() override { inner_->InterruptRead(); }
    std::string ProductString() override { return inner_->ProductString(); }
    std::size_t OutputReportLength() const override { return inner_->OutputReportLength(); }

   private:
    std::unique_ptr<HidHandle> inner_;
    WireTap& tap_;
  };

  HidTransport& inner_;
  std::uint8_t command_;
  std::atomic<int> writes_{0};
  std::atomic<Clock::duration::rep> last_write_{0};
};

// The controller on a fake toolkit with a wired mouse connected and its
// pages loaded, in a temporary home; the tap watches one command.
struct Desktop {
  explicit Desktop(std::uint8_t command) : tap(bus, command) {
    AppContextOptions options;
    options.resources = KORVANE_SOURCE_DATA;
    options.data_dir = home / "data";
    options.config_dir = home / "config";
    std::filesystem::create_directories(home / "config");
    context = std::make_unique<AppContext>(options);
    context->Language().SetCurrentLcid(1033);
    // Start-up makes the settings databases' folder before the window opens.
    std::filesystem::create_directories(context->DatabaseFolder());
    ui::AddMainTabs(toolkit, [this](int id) { return context->Language().GetText(id); });
    sim::PresetOptions preset;
    preset.preset = sim::Preset::kWired;
    for (sim::VirtualDevice& device : sim::BuildPreset(KORVANE_SOURCE_DATA, preset).devices) bus.Add(device);
    controller =
        std::make_unique<DeviceMainDlg>(toolkit, *context, tap, &bus, ControllerOptions{home / "autostart", "korvane"});
    controller->Hooks().OnTaskFinished([this](int code, bool) {
      if (code == kTaskStartupScan) scanned = true;
    });
    controller->OnInitDialog();
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!Connected() && Clock::now() < deadline) {
      toolkit.Pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ~Desktop() { controller->Shutdown(); }

  bool Connected() const { return scanned && controller->State().mouse_linked; }

  test::TempDir home;
  std::unique_ptr<AppContext> context;
  test::FakeToolkit toolkit;
  sim::VirtualBus bus;
  WireTap tap;
  std::unique_ptr<DeviceMainDlg> controller;
  bool scanned = false;
};

// Clicks control with the two item indexes in turn and times each click
// until the tapped command reaches the mouse.
void ClickToWire(benchmark::State& bench, Desktop& desktop, int control) {
  if (!desktop.Connected() || desktop.toolkit.Items(control).size() < 2) {
    bench.SkipWithError("the virtual mouse did not connect");
    return;
  }
  std::vector<double> samples;
  int index = 0;
  for (auto _ : bench) {
    const int before = desktop.tap.Writes();
    index = 1 - index;
    const auto start = Clock::now();
    desktop.controller->OnControlEvent(control, ui::event::kClick, index);
    const auto deadline = start + std::chrono::seconds(5);
    while (desktop.tap.Writes() == before && Clock::now() < deadline) std::this_thread::yield();
    if (desktop.tap.Writes() == before) {
      bench.SkipWithError("the command never reached the mouse");
      return;
    }
    const double seconds = std::chrono::duration<double>(desktop.tap.LastWrite() - start).count();
    bench.SetIterationTime(seconds);
    samples.push_back(seconds * 1e3);
    // What the worker posted (finished tasks) is handled between clicks.
    bench.PauseTiming();
    desktop.toolkit.Pump();
    bench.ResumeTiming();
  }
  bench.counters["median_ms"] = Percentile(samples, 0.5);
  bench.counters["p99_ms"] = Percentile(samples, 0.99);
  bench.counters["goal_median_ms"] = 3;
}

void BM_ClickToWire(benchmark::State& bench) {
  Desktop desktop(report::kReportRate);
  ClickToWire(bench, desktop, ui::ctl::kReportRate);
}
BENCHMARK(BM_ClickToWire)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

// The right button alternates between right and middle click.
void BM_AssignToButtonTable(benchmark::State& bench) {
  Desktop desktop(report::kButtons);
  desktop.controller->OnControlEvent(ui::ctl::kButtonList, ui::event::kClick, 1);
  ClickToWire(bench, desktop, ui::ctl::kFunctionChooser1);
}
BENCHMARK(BM_AssignToButtonTable)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500);

}  // namespace
}  // namespace korvane::bench

BENCHMARK_MAIN();
