#include "app/startup.hpp"

#include "platform/paths.hpp"

namespace korvane {

namespace {
constexpr int kDefaultDpi = 96;
}

bool IsHighDpiMonitor(int dpi) { return dpi == 144 || dpi == 168 || dpi == 192; }

bool ShouldBeDpiAware(int width, int height, const std::function<std::optional<int>()>& monitor_dpi) {
  if (width < 1400 || height < 800) return true;
  if (width != 1920 || height != 1080) return false;
  return IsHighDpiMonitor(monitor_dpi ? monitor_dpi().value_or(kDefaultDpi) : kDefaultDpi);
}

bool StartHidden(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument.find("-hide") != std::string::npos) return true;
  }
  return false;
}

StartupOutcome RunStartupSteps(const std::vector<std::string>& arguments, const AppContextOptions& options,
                               int user_ui_lcid, const std::filesystem::path& runtime_folder) {
  StartupOutcome outcome;
  outcome.context = std::make_unique<AppContext>(options);
  outcome.instance = std::make_unique<SingleInstance>(outcome.context->Caption(), runtime_folder);
  if (outcome.instance->role() == SingleInstance::Role::Second) {
    outcome.exit_code = 0;
    return outcome;
  }
  if (outcome.instance->role() == SingleInstance::Role::Failed) {
    outcome.problem = outcome.instance->problem();
    outcome.exit_code = 1;
    return outcome;
  }
  outcome.context->Language().ChooseStartupLanguage(user_ui_lcid);
  EnsureDirectory(outcome.context->DatabaseFolder());
  outcome.start_hidden = StartHidden(arguments);
  return outcome;
}

}  // namespace korvane
