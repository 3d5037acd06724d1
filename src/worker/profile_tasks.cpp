// The worker tasks that touch a whole profile: writing it to the mouse and
// the factory reset.
#include "profiles/profile_manager.hpp"
#include "store/key_table.hpp"
#include "worker/device_worker.hpp"

namespace korvane {

namespace {
// Button rows of profiles 1..5 are cleared by a factory reset.
constexpr int kProfilesWithButtonRows = 5;
}  // namespace

bool DeviceWorker::WriteEverything() {
  const bool lighting = context_.model.Get().light_page_shown;
  context_.events.RefreshPages(kKeyPage | kPerformancePage | (lighting ? kLightingPage : 0u));
  bool succeeded = true;
  for (const TaskCode code :
       {kTaskButtons, kTaskLighting, kTaskDpiLevels, kTaskDpiColours, kTaskReportRate, kTaskSensor, kTaskPower}) {
    if (code == kTaskLighting && !lighting) continue;
    if (const auto it = handlers_.find(code); it != handlers_.end()) succeeded = it->second() && succeeded;
  }
  return succeeded;
}

bool DeviceWorker::FactoryReset() {
  ReportPacket packet = *WritePacket(report::kFactoryReset, std::array<std::uint8_t, 1>{0xFF});
  // The stored settings follow the mouse only when it took the reset.
  if (!WriteCommand(packet, report::kShortPacketSize)) return false;
  ConnectionState& state = context_.state;
  context_.events.RefreshPages(kProfilePage);
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    state.current_profile = profile;
    ReadModelDefaults(context_.sources, context_.store, profile);
  }
  state.current_profile = 1;
  for (int profile = 1; profile <= kProfilesWithButtonRows; ++profile) DeleteProfileKeys(context_.store, profile);
  const bool lighting = context_.model.Get().light_page_shown;
  context_.events.RefreshPages(kKeyPage | kMacroPage | (lighting ? kLightingPage : 0u));
  ReadModelDefaults(context_.sources, context_.store, 1);
  context_.events.RefreshPages(kPerformancePage | (lighting ? kLightingPage : 0u));
  return true;
}

}  // namespace korvane
