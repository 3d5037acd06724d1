// A long run of the worker and the settings store against the in-process
// virtual mouse: the page operations of the performance, lighting, buttons
// and macro pages and profile switches, through the models' functions the
// pages and korvanectl call, mixed with what the mouse does by itself (its
// DPI button; a receiver's battery changes and its mouse leaving and linking
// again). Resident memory must stay flat, every task must succeed, and the
// slowest task is timed from the operation that queued it to TaskFinished.
//
// KORVANE_SOAK_SECONDS sets the measured time (600 by default).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "buttons/button_assignments.hpp"
#include "catalog/model_definition.hpp"
#include "common/text_ids.hpp"
#include "keys/key_names.hpp"
#include "macros/macro_store.hpp"
#include "performance/dpi_model.hpp"
#include "performance/lighting_model.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "store/light_table.hpp"
#include "store/macro_table.hpp"
#include "support/worker_rig.hpp"
#include "worker/profile_switch.hpp"

namespace korvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

std::chrono::seconds SoakTime() {
  const char* text = std::getenv("KORVANE_SOAK_SECONDS");
  return std::chrono::seconds(text != nullptr ? std::max(1, std::atoi(text)) : 600);
}

// VmRSS of /proc/self/status, in MiB.
double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;  // given in kB
  }
  return 0;
}

// Pairs every queued task with its TaskFinished: only the soak queues tasks
// and the queue runs them first in, first out, so the n-th to finish is the
// n-th queued. Also counts the link reports the worker handled.
class TaskTimer final : public WorkerEvents {
 public:
  void StatusChanged(int) override {}
  void DeviceListChanged() override {}
  void DeviceViewChanged(bool, bool) override {}
  void BatteryChanged(int, int) override {}
  void RefreshPages(unsigned) override {}
  void CloseTransientWindows() override {}
  void DpiButtonPressed(int, int) override {}
  void LinkChanged(int, bool linked) override {
    {
      std::lock_guard lock(mutex_);
      ++(linked ? links_ : leaves_);
    }
    changed_.notify_all();
  }
  void TaskFinished(TaskCode, bool succeeded) override {
    const Clock::time_point now = Clock::now();
    {
      std::lock_guard lock(mutex_);
      finished_at_.push_back(now);
      ++finished_;
      if (!succeeded) ++failed_;
      Match();
    }
    changed_.notify_all();
  }

  // The tasks the queue numbered up to `pushed` were queued by an operation
  // that began at `at`.
  void Queued(std::uint64_t pushed, Clock::time_point at) {
    std::lock_guard lock(mutex_);
    for (; queued_ < pushed; ++queued_) queued_at_.push_back(at);
    Match();
  }

  std::uint64_t Outstanding() {
    std::lock_guard lock(mutex_);
    return queued_ - finished_;
  }
  void WaitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return finished_ == queued_; });
  }
  // Waits for the worker to handle a report of the mouse leaving (linked
  // false) or linking that came after the last wait's.
  void WaitLink(bool linked) {
    std::unique_lock lock(mutex_);
    if (linked) {
      changed_.wait(lock, [&] { return links_ > links_seen_; });
    } else {
      changed_.wait(lock, [&] { return leaves_ > leaves_seen_; });
      leaves_seen_ = leaves_;
    }
    links_seen_ = links_;
  }

  struct Figures {
    std::uint64_t tasks = 0;
    std::uint64_t failed = 0;
    Clock::duration slowest{};
  };
  // What finished since the last call.
  Figures Take() {
    std::lock_guard lock(mutex_);
    const Figures figures{finished_ - taken_, failed_, slowest_};
    taken_ = finished_;
    failed_ = 0;
    slowest_ = {};
    return figures;
  }

 private:
  void Match() {
    for (; !queued_at_.empty() && !finished_at_.empty(); queued_at_.pop_front(), finished_at_.pop_front()) {
      slowest_ = std::max(slowest_, finished_at_.front() - queued_at_.front());
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Clock::time_point> queued_at_;
  std::deque<Clock::time_point> finished_at_;
  std::uint64_t queued_ = 0;
  std::uint64_t finished_ = 0;
  std::uint64_t taken_ = 0;
  std::uint64_t failed_ = 0;
  Clock::duration slowest_{};
  int links_ = 0;
  int leaves_ = 0;
  int links_seen_ = 0;
  int leaves_seen_ = 0;
};

// The session with one virtual mouse, driven as a user at the pages would:
// an operation, a short pause, now and then something from the mouse.
class Soak {
 public:
  explicit Soak(sim::Preset preset) : mouse_(rig_.Plug(preset).front()), receiver_(preset == sim::Preset::kReceiver) {
    Queue([&] { rig_.queue.Push(kTaskStartupScan); });
    rig_.worker.Start();
    timer_.WaitIdle();
    for (const ModelButton& button : rig_.model.Get().buttons) {
      if (button.key_value != kPrimaryButton) buttons_.push_back(button.key_value);
    }
    LoadPages();
  }

  // One round: a page operation, now and then one of the mouse's own
  // events, then a pause of up to 5 ms. With more than a few tasks waiting
  // the next operation waits for them, so the queue stays as short as under
  // a user's hands.
  void Round() {
    Queue([&] { PageOperation(); });
    if (Pick(25) == 0) FromTheMouse();
    std::this_thread::sleep_for(std::chrono::microseconds(Pick(5000)));
    if (timer_.Outstanding() > kMaxBacklog) timer_.WaitIdle();
  }

  // Rounds until the virtual mouse's command log is full: from then on the
  // mouse's memory stays as it is.
  void WarmUp() {
    while (rig_.bus.State(mouse_).log.size() < sim::kMaxLogEntries) {
      for (int i = 0; i < 100; ++i) Round();
    }
    timer_.WaitIdle();
    timer_.Take();
  }

  TaskTimer::Figures Finish() {
    timer_.WaitIdle();
    return timer_.Take();
  }

 private:
  static constexpr std::uint64_t kMaxBacklog = 8;
  static constexpr int kMacrosKept = 4;

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Coin() { return Pick(2) == 1; }

  // Runs an operation and times the tasks it queued from its start.
  template <typename Operation>
  void Queue(Operation operation) {
    const Clock::time_point start = Clock::now();
    operation();
    timer_.Queued(rig_.queue.Mark(), start);
  }

  SettingsTarget Settings() { return {rig_.store, rig_.state, rig_.queue}; }
  ButtonTarget Buttons() { return {rig_.store, rig_.state, rig_.queue, rig_.session->pending_macro}; }
  int Profile() const { return rig_.state.current_profile; }

  // What the lighting and performance pages read when they load.
  void LoadPages() {
    EnsureDefaultLightRows(rig_.store, Profile(), rig_.model.Get().light_modes);
    rig_.state.current_light_mode = LoadActiveLightMode(rig_.store, Profile());
    const DpiLevels levels = LoadDpiLevels(rig_.store, Profile());
    rig_.session->dpi_cache.count = levels.count;
    rig_.session->dpi_cache.index = levels.index;
  }

  int Colour() { return 1 + Pick(0xFFFFFF); }

  void PageOperation() {
    const SettingsTarget target = Settings();
    DpiCache& cache = rig_.session->dpi_cache;
    const SensorDpiRow& sensor = CurrentSensorRow(rig_.state);
    switch (Pick(20)) {
      case 0:
      case 1:
        SelectDpiLevel(target, cache, Pick(kMaxDpiLevels));
        break;
      case 2:
        ChangeDpiCount(target, cache, 1 + Pick(kMaxDpiLevels));
        break;
      case 3:
        TypeDpiValue(target, Pick(kMaxDpiLevels),
                     std::to_string(sensor.min_dpi + Pick(sensor.max_dpi - sensor.min_dpi + 1)));
        break;
      case 4: {  // a slider dragged over a few steps, then released
        const int level = Pick(kMaxDpiLevels);
        int step = sensor.slider_low + Pick(sensor.slider_high - sensor.slider_low + 1);
        for (int moves = 1 + Pick(8); moves > 0; --moves) {
          step = std::clamp(step + Pick(5) - 2, sensor.slider_low, sensor.slider_high);
          SlideDpiValue(target, level, step, moves == 1);
        }
        break;
      }
      case 5:
        SetDpiColour(target, Pick(kMaxDpiLevels), Colour());
        break;
      case 6: {
        const auto rates = OfferedRates(rig_.state.Info().rate_capability);
        ChangeReportRate(target, rates[static_cast<std::size_t>(Pick(static_cast<int>(rates.size())))].code);
        break;
      }
      case 7:
        ChangeResponseTime(target, EditResponseTime(target, std::to_string(Pick(25))));
        break;
      case 8:
        if (Coin()) {
          ChangeLiftOff(target, Coin());
        } else {
          ChangeSensorOptions(target, {Coin(), Coin(), Coin()});
        }
        break;
      case 9:
        switch (Pick(3)) {
          case 0:
            ChangeSleepTime(
                target, kSleepChoices[static_cast<std::size_t>(Pick(static_cast<int>(kSleepChoices.size())))].stored);
            break;
          case 1:
            ChangeMoveWakeup(target, Coin());
            break;
          default:
            ChangeMoveLightOff(target, Coin());
        }
        break;
      case 10:
        ChangeLightMode(target, LightModes()[static_cast<std::size_t>(Pick(kLightModes))].mode);
        break;
      case 11:
        if (Coin()) {
          SetLightBrightness(target, Pick(kMaxLightLevel + 1));
        } else {
          SetLightSpeed(target, Pick(kMaxLightLevel + 1));
        }
        break;
      case 12: {
        const auto presets = LightPresetColours();
        ApplyLightColour(target,
                         Coin() ? presets[static_cast<std::size_t>(Pick(static_cast<int>(presets.size())))] : Colour(),
                         Pick(kLightColours));
        break;
      }
      case 13:
      case 14:
        AssignButton();
        break;
      case 15:
        EditMacro();
        break;
      case 16:
        CreateOrDeleteMacro();
        break;
      case 17:
        if (SwitchProfile(rig_.store, rig_.state, rig_.queue, 1 + Pick(4))) LoadPages();
        break;
      default:
        ResetKey(Buttons(), Button());
    }
  }

  int Button() { return buttons_[static_cast<std::size_t>(Pick(static_cast<int>(buttons_.size())))]; }

  void AssignButton() {
    const ButtonTarget target = Buttons();
    const TextLookup text = rig_.language.Lookup();
    static constexpr int kGroups[] = {kFunctionMouse, kFunctionMultimedia, kFunctionDpi, kFunctionSpecial,
                                      kFunctionSystem};
    switch (Pick(5)) {
      case 0: {
        const int key = 'A' + Pick(26);
        AssignKeyCombination(target, Button(), BuildCombination(key, UsKeyName(key), {Coin(), Coin(), false, Coin()}));
        break;
      }
      case 1:
        AssignRepeat(target, Button(), kRepeatFirstMin + Pick(kRepeatMax), Pick(kRepeatMax + 1),
                     text(text_id::kRepeatDescription));
        break;
      case 2:
        AssignDisabled(target, Button(), text(text_id::kDisableButton));
        break;
      default: {
        const int type = kGroups[Pick(static_cast<int>(std::size(kGroups)))];
        const auto items = OfferedFunctions(type);
        const FunctionItem& item = items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
        AssignFunction(target, Button(), type, item.value, FunctionItemText(item, text));
      }
    }
  }

  std::vector<MacroHeader> Macros() {
    std::vector<MacroHeader> macros;
    LoadMacroRows(rig_.store, macros);
    return macros;
  }

  // New events for a macro, as the page's insert commands make them, and
  // the macro assigned to a button (which sends it with the button table).
  void EditMacro() {
    const std::vector<MacroHeader> macros = Macros();
    if (macros.empty()) return;
    const MacroHeader& macro = macros[static_cast<std::size_t>(Pick(static_cast<int>(macros.size())))];
    EventList events;
    int stamp = 0;
    for (int items = 1 + Pick(20); items > 0; --items) {
      switch (Pick(3)) {
        case 0: {
          const int key = 'A' + Pick(26);
          InsertKeyStroke(events, std::nullopt, key, UsKeyName(key), ++stamp);
          break;
        }
        case 1:
          InsertClick(events, std::nullopt, 1 << Pick(3), ++stamp);
          break;
        default:
          InsertDelay(events, std::nullopt, ++stamp);
      }
    }
    StoreEventList(rig_.store, macro.macro_id, events);
    StoreMacroOptions(rig_.store, macro.macro_id, {Pick(3), 1 + Pick(500), Pick(3), 1 + Pick(20)});
    if (Coin()) AssignFunction(Buttons(), Button(), kFunctionMacro, macro.macro_id, macro.name);
  }

  // A new macro while fewer than a few are kept, else the oldest deleted.
  void CreateOrDeleteMacro() {
    const std::vector<MacroHeader> macros = Macros();
    if (static_cast<int>(macros.size()) < kMacrosKept) {
      CreateMacro(rig_.store, rig_.language.Lookup(), static_cast<int>(macros.size()));
    } else {
      DeleteMacroRow(rig_.store, macros.front().macro_id);
    }
  }

  // The mouse's DPI button; with a receiver also a battery change or its
  // mouse leaving and linking again (with the page's tasks done, as the
  // device pages close while it is away).
  void FromTheMouse() {
    const int count = 1 + Pick(kMaxDpiLevels);
    switch (receiver_ ? Pick(10) : 0) {
      case 0:
      case 1:
      case 2:
      case 3:
        rig_.bus.PressDpiButton(mouse_, count, Pick(count));
        break;
      case 4:
        timer_.WaitIdle();
        rig_.bus.Unlink(mouse_);
        timer_.WaitLink(false);
        rig_.bus.Link(mouse_);
        timer_.WaitLink(true);
        break;
      default:
        rig_.bus.SetBattery(mouse_, static_cast<std::uint8_t>(1 + Pick(100)), static_cast<std::uint8_t>(Pick(2)));
    }
  }

  TaskTimer timer_;
  test::WorkerRig rig_{timer_};
  sim::VirtualBus::DeviceId mouse_;
  bool receiver_;
  std::vector<int> buttons_;
  std::mt19937 random_{20240611};
};

void SoakRun(benchmark::State& bench, sim::Preset preset) {
  for (auto _ : bench) {
    Soak soak(preset);
    soak.WarmUp();
    const double start_mib = ResidentMiB();
    const Clock::time_point end = Clock::now() + SoakTime();
    while (Clock::now() < end) soak.Round();
    const TaskTimer::Figures figures = soak.Finish();
    const double end_mib = ResidentMiB();
    bench.counters["rss_start_mib"] = start_mib;
    bench.counters["rss_end_mib"] = end_mib;
    bench.counters["rss_growth_mib"] = end_mib - start_mib;
    bench.counters["goal_growth_mib"] = 1;
    bench.counters["tasks"] = static_cast<double>(figures.tasks);
    bench.counters["failed_tasks"] = static_cast<double>(figures.failed);
    bench.counters["slowest_task_ms"] = std::chrono::duration<double, std::milli>(figures.slowest).count();
  }
}

void BM_SoakWired(benchmark::State& bench) { SoakRun(bench, sim::Preset::kWired); }
void BM_SoakReceiver(benchmark::State& bench) { SoakRun(bench, sim::Preset::kReceiver); }
BENCHMARK(BM_SoakWired)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_SoakReceiver)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace korvane::bench

BENCHMARK_MAIN();
