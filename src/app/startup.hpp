#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.hpp"
#include "platform/single_instance.hpp"

namespace korvane {

// True for the monitor DPIs of 150 %, 175 % and 200 % scaling (144, 168,
// 192); 96, 120 and every other value, 240 included, are not high-DPI.
bool IsHighDpiMonitor(int dpi);

// Whether the program draws at the screen's own pixel size instead of being
// scaled: for screens narrower than 1400 or lower than 800 pixels, and for a
// 1920x1080 screen on a high-DPI monitor. monitor_dpi is asked only for a
// 1920x1080 screen; nullopt (no monitor, or no way to ask) counts as 96.
bool ShouldBeDpiAware(int width, int height, const std::function<std::optional<int>()>& monitor_dpi);

// "-hide" anywhere in the arguments after the program name (a plain,
// case-sensitive substring test, so it may stand inside a longer word).
bool StartHidden(const std::vector<std::string>& arguments);

struct StartupOutcome {
  // Another instance runs and was asked to show itself (0), or the
  // single-instance lock could not be taken (1, problem says why): exit with
  // this code.
  std::optional<int> exit_code;
  std::string problem;
  bool start_hidden = false;
  std::unique_ptr<AppContext> context;
  std::unique_ptr<SingleInstance> instance;
};

// The start-up steps up to the main window, in their fixed order:
//  1. the DPI rule: applied by the front end before its toolkit starts,
//     because the scaling mode is fixed when the toolkit is created;
//  2. caption and language set from config.xml;
//  3. the single-instance rendezvous keyed by the caption; a second start
//     asks the first to show itself and ends with exit code 0;
//  4. (a process privilege step of other platforms; nothing on Linux);
//  5. (the graphics runtime: started by the toolkit itself);
//  6. the language: stored setting, else the user's language, else 1033;
//  7. (handing the module instance to the toolkit; nothing on Linux);
//  8. the data folder's "db" folder is created (failure ignored);
//  9. (COM and OLE; nothing on Linux);
// 10. "-hide" on the command line starts the window hidden.
StartupOutcome RunStartupSteps(const std::vector<std::string>& arguments, const AppContextOptions& options,
                               int user_ui_lcid, const std::filesystem::path& runtime_folder);

}  // namespace korvane
