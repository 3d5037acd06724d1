#pragma once

#include <filesystem>
#include <string>

namespace korvane {

// The logon autostart entry of the desktop: "<folder>/<application id>.desktop"
// named after the caption, whose Exec line starts the program with "-autorun".
// Earlier versions named the file after the caption; such an entry counts as
// present and is replaced by Write and deleted by Remove, so the box never
// shows off while the desktop still starts the program. Its presence is what
// "start with the system" means; its content is never read back.
class AutostartEntry final {
 public:
  // folder: normally $XDG_CONFIG_HOME/autostart.
  AutostartEntry(std::filesystem::path folder, const std::string& caption, std::string program);

  bool Exists() const;
  // Creates the folder when missing; false when the file cannot be written.
  bool Write() const;
  void Remove() const;
  const std::filesystem::path& File() const { return file_; }

  // The Exec value: the program path, quoted when it holds a blank or a
  // character the desktop entry format treats specially, then " -autorun".
  static std::string ExecLine(const std::string& program);

 private:
  std::filesystem::path file_;
  std::filesystem::path former_file_;
  std::string caption_;
  std::string program_;
};

// $XDG_CONFIG_HOME/autostart (or ~/.config/autostart).
std::filesystem::path DefaultAutostartFolder();

}  // namespace korvane
