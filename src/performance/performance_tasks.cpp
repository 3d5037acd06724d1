#include "performance/performance_tasks.hpp"

#include "performance/lighting_model.hpp"
#include "performance/payload_builders.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "store/config_store.hpp"
#include "store/light_table.hpp"
#include "worker/device_worker.hpp"

namespace korvane {

namespace {

constexpr auto kRestoreSettleTime = std::chrono::milliseconds(100);

class PerformanceTasks final {
 public:
  PerformanceTasks(DeviceWorker& worker, DpiCache& cache)
      : worker_(worker), context_(worker.Context()), cache_(cache) {}

  int Profile() const { return context_.state.current_profile; }

  bool Write(ReportPacket packet, std::size_t length) { return worker_.WriteCommand(packet, length); }

  // Sends the profile's active light mode; nothing when it has no row. A
  // profile whose rows the lighting page never created gets the defaults
  // first, since the whole profile may be written before the page loads.
  bool WriteLightMode() {
    ConfigStore& store = context_.store;
    LightSetting row;
    {
      const ConfigStore::Lock lock = store.Hold();
      EnsureDefaultLightRows(store, Profile(), context_.model.Get().light_modes);
      const int mode = LoadActiveLightMode(store, Profile());
      if (!LoadLightRow(store, Profile(), mode, row)) return false;
    }
    context_.state.current_light_mode = row.mode;
    return Write(BuildLightingCommand(row), report::kPacketSize);
  }

  bool WriteDpiLevels() {
    return Write(BuildDpiLevelsCommand(CurrentSensorRow(context_.state), DpiCommandValues(context_.store, Profile())),
                 report::kShortPacketSize);
  }

  bool WriteDpiColours() {
    return Write(BuildDpiColoursCommand(DpiCommandColours(context_.store, Profile())), report::kPacketSize);
  }

  // A stored code that is no report rate is not sent.
  bool WriteReportRate() {
    const auto rate = RateOfCode(ConfigInt(context_.store, Profile(), ConfigKey::kReportRate));
    return rate && Write(BuildReportRateCommand(rate->code), report::kPacketSize);
  }

  bool WriteSensorSettings() {
    ConfigStore& store = context_.store;
    const ConfigStore::Lock lock = store.Hold();
    return Write(BuildSensorCommand(ConfigInt(store, Profile(), ConfigKey::kLiftOffHeight),
                                    ConfigInt(store, Profile(), ConfigKey::kSensorFlag)),
                 report::kPacketSize);
  }

  bool WritePowerSettings() {
    return Write(BuildPowerCommand(StoredPowerValues(context_.store, Profile())), report::kPacketSize);
  }

  // The mouse restores its lighting; what it then has is read back. The
  // restore's own answer is not needed, the read tells the outcome.
  bool ResetLightingOnMouse() {
    ReportPacket packet = BuildRestoreLightingCommand();
    // The stored lighting follows the mouse only when it took the restore.
    if (!Write(packet, report::kShortPacketSize)) return false;
    context_.sleeper.SleepFor(kRestoreSettleTime);
    const bool read = worker_.ReadLightingBack();
    context_.events.RefreshPages(kLightingPage);
    return read;
  }

  bool ResetDpiToModel() {
    ReadModelDpiDefaults(context_.sources, context_.store, Profile());
    context_.events.RefreshPages(kPerformancePage);
    const bool levels = WriteDpiLevels();
    return WriteDpiColours() && levels;
  }

  void DpiButton(int count, int index) { HandleDpiNotification(context_.store, context_.state, cache_, count, index); }

 private:
  DeviceWorker& worker_;
  const WorkerContext& context_;
  DpiCache& cache_;
};

}  // namespace

void RegisterPerformanceHandlers(DeviceWorker& worker, DpiCache& dpi_cache) {
  auto tasks = std::make_shared<PerformanceTasks>(worker, dpi_cache);
  auto bind = [tasks](bool (PerformanceTasks::*operation)()) {
    return [tasks, operation] { return ((*tasks).*operation)(); };
  };
  worker.Register(kTaskLighting, bind(&PerformanceTasks::WriteLightMode));
  worker.Register(kTaskDpiLevels, bind(&PerformanceTasks::WriteDpiLevels));
  worker.Register(kTaskDpiColours, bind(&PerformanceTasks::WriteDpiColours));
  worker.Register(kTaskReportRate, bind(&PerformanceTasks::WriteReportRate));
  worker.Register(kTaskSensor, bind(&PerformanceTasks::WriteSensorSettings));
  worker.Register(kTaskPower, bind(&PerformanceTasks::WritePowerSettings));
  worker.Register(kTaskResponseTime, bind(&PerformanceTasks::WritePowerSettings));
  worker.Register(kTaskLightingRestore, bind(&PerformanceTasks::ResetLightingOnMouse));
  worker.Register(kTaskDpiReset, bind(&PerformanceTasks::ResetDpiToModel));
  worker.OnDpiButton([tasks](int count, int index) { tasks->DpiButton(count, index); });
}

}  // namespace korvane
