#pragma once

#include <filesystem>
#include <mutex>
#include <string>

namespace korvane {

// Small named string values of the application ("LCID", "DeviceType",
// "exit_mode", "autorun_minimize"), kept as name=value lines in
// settings.ini inside the application's configuration folder.
class AppSettings final {
 public:
  // What happened when the settings were opened for reading and writing.
  enum class KeyState {
    Opened,      // the folder existed and is writable
    Created,     // the folder did not exist and was created
    Unavailable  // any other failure (not writable, unreadable file)
  };

  struct ReadResult {
    KeyState key = KeyState::Unavailable;
    std::string value;  // empty when absent
  };

  explicit AppSettings(std::filesystem::path folder);

  AppSettings(const AppSettings&) = delete;
  AppSettings& operator=(const AppSettings&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

  // Opens the settings with full access, creating the folder when missing,
  // and reads one value.
  ReadResult Read(const std::string& name) const;

  // The value read with the leading-digits rule; 0 when absent, when the
  // folder had to be created, and on any failure.
  int ReadAppSetting(const std::string& name) const;

  // Writes one value. The folder is not created: when it does not exist the
  // write fails, silently for callers that ignore the result.
  bool WriteAppSetting(const std::string& name, const std::string& text);

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
  mutable std::mutex mutex_;
};

}  // namespace korvane
