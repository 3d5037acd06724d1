#include "performance/pointer_settings.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace korvane {

namespace {

const std::vector<std::string> kGnome{"gnome-control-center", "mouse"};
const std::vector<std::string> kKde{"systemsettings", "kcm_mouse"};

bool Contains(std::string_view desktops, std::string_view name) {
  std::size_t start = 0;
  while (start <= desktops.size()) {
    const std::size_t end = std::min(desktops.find(':', start), desktops.size());
    if (desktops.substr(start, end - start) == name) return true;
    start = end + 1;
  }
  return false;
}

bool InPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && access((std::filesystem::path(folder) / program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> SystemMouseSettingsCommand(std::string_view current_desktop,
                                                    const std::function<bool(const std::string&)>& installed) {
  if (Contains(current_desktop, "GNOME") && installed(kGnome[0])) return kGnome;
  if (Contains(current_desktop, "KDE") && installed(kKde[0])) return kKde;
  for (const auto* command : {&kGnome, &kKde}) {
    if (installed(command->front())) return *command;
  }
  return {};
}

bool OpenSystemMouseSettings() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  const std::vector<std::string> command = SystemMouseSettingsCommand(desktop ? desktop : "", InPath);
  if (command.empty()) return false;
  std::vector<char*> argv;
  for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t panel = 0;
  if (posix_spawnp(&panel, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  // The caller goes on at once; a thread of its own reaps the panel when
  // the user closes it.
  std::thread([panel] { waitpid(panel, nullptr, 0); }).detach();
  return true;
}

}  // namespace korvane
