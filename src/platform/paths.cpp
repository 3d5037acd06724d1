#include "platform/paths.hpp"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace korvane {

namespace fs = std::filesystem;

namespace {

fs::path HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? fs::path(home) : fs::path("/tmp");
}

fs::path XdgFolder(const char* variable, const char* fallback_below_home) {
  const char* value = std::getenv(variable);
  // A relative value is invalid for XDG variables and is ignored.
  if (value && *value == '/') return fs::path(value);
  return HomeFolder() / fallback_below_home;
}

}  // namespace

fs::path ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec);
  return exe.parent_path();
}

fs::path ResourcesFolder(const std::optional<fs::path>& override_folder) {
  if (override_folder) return *override_folder;
  const fs::path beside = ExecutableFolder();
  std::error_code ec;
  if (fs::exists(beside / "config.xml", ec)) return beside;
  return beside.parent_path() / "share" / "korvane";
}

std::string PathComponent(const std::string& caption) {
  std::string out = caption;
  for (char& c : out) {
    if (c == '/' || c == '\0') c = '_';
  }
  return out;
}

fs::path DataFolder(const std::string& caption, const std::optional<fs::path>& override_folder) {
  if (override_folder) return *override_folder;
  return XdgFolder("XDG_DATA_HOME", ".local/share") / (PathComponent(caption) + " Files");
}

fs::path XdgConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

fs::path ConfigFolder(const std::string& caption) { return XdgConfigHome() / PathComponent(caption); }

bool EnsureDirectory(const fs::path& folder) {
  std::error_code ec;
  if (fs::is_directory(folder, ec)) return true;
  fs::create_directories(folder, ec);
  return !ec && fs::is_directory(folder, ec);
}

}  // namespace korvane
