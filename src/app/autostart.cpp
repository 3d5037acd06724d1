#include "app/autostart.hpp"

#include <fstream>
#include <system_error>

#include "platform/application_id.hpp"
#include "platform/paths.hpp"

namespace korvane {

AutostartEntry::AutostartEntry(std::filesystem::path folder, const std::string& caption, std::string program)
    : file_(folder / (std::string(kApplicationId) + ".desktop")),
      former_file_(folder / (PathComponent(caption.empty() ? std::string("korvane") : caption) + ".desktop")),
      caption_(caption),
      program_(std::move(program)) {}

bool AutostartEntry::Exists() const {
  std::error_code error;
  return std::filesystem::is_regular_file(file_, error) || std::filesystem::is_regular_file(former_file_, error);
}

std::string AutostartEntry::ExecLine(const std::string& program) {
  bool quote = false;
  std::string escaped;
  for (const char c : program) {
    if (c == ' ' || c == '\t' || c == '\'' || c == '>' || c == '<' || c == '~' || c == '|' || c == '&' || c == ';' ||
        c == '$' || c == '*' || c == '?' || c == '#' || c == '(' || c == ')' || c == '`' || c == '"' || c == '\\') {
      quote = true;
    }
    // Inside quotes these four are escaped with a backslash; the desktop
    // entry format then escapes every backslash once more, so a backslash
    // of the path becomes four.
    if (c == '\\') {
      escaped += "\\\\\\\\";
      continue;
    }
    if (c == '"' || c == '`' || c == '$') escaped += "\\\\";
    if (c == '%') {
      escaped += "%%";
      continue;
    }
    escaped += c;
  }
  return (quote ? "\"" + escaped + "\"" : escaped) + " -autorun";
}

bool AutostartEntry::Write() const {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  std::ofstream out(file_, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  std::filesystem::remove(former_file_, error);
  out << "[Desktop Entry]\n"
      << "Type=Application\n"
      << "Name=" << caption_ << "\n"
      << "Exec=" << ExecLine(program_) << "\n"
      << "Icon=" << kApplicationId << "\n"
      << "Terminal=false\n"
      << "X-GNOME-Autostart-enabled=true\n";
  return static_cast<bool>(out.flush());
}

void AutostartEntry::Remove() const {
  std::error_code error;
  std::filesystem::remove(file_, error);
  std::filesystem::remove(former_file_, error);
}

std::filesystem::path DefaultAutostartFolder() { return XdgConfigHome() / "autostart"; }

}  // namespace korvane
