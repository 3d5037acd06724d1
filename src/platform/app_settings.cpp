#include "platform/app_settings.hpp"

#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "common/text.hpp"

namespace korvane {

namespace fs = std::filesystem;

namespace {

using Values = std::map<std::string, std::string, std::less<>>;

bool ReadValues(const fs::path& file, Values& values) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return !ec;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == '#' || text.front() == ';' || text.front() == '[') continue;
    const auto eq = text.find('=');
    if (eq == std::string_view::npos) continue;
    values[std::string(Trim(text.substr(0, eq)))] = std::string(Trim(text.substr(eq + 1)));
  }
  return true;
}

// A value is one line of text: line breaks would split it on the next read.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

AppSettings::AppSettings(fs::path folder) : folder_(std::move(folder)), file_(folder_ / "settings.ini") {}

AppSettings::ReadResult AppSettings::Read(const std::string& name) const {
  std::lock_guard lock(mutex_);
  ReadResult result;
  std::error_code ec;
  if (!fs::exists(folder_, ec)) {
    fs::create_directories(folder_, ec);
    result.key = ec ? KeyState::Unavailable : KeyState::Created;
    return result;
  }
  if (!fs::is_directory(folder_, ec) || ::access(folder_.c_str(), R_OK | W_OK | X_OK) != 0) return result;
  Values values;
  if (!ReadValues(file_, values)) return result;
  result.key = KeyState::Opened;
  if (auto it = values.find(name); it != values.end()) result.value = it->second;
  return result;
}

int AppSettings::ReadAppSetting(const std::string& name) const {
  const ReadResult result = Read(name);
  return result.key == KeyState::Opened ? LeadingNumber(result.value) : 0;
}

bool AppSettings::WriteAppSetting(const std::string& name, const std::string& text) {
  std::lock_guard lock(mutex_);
  std::error_code ec;
  if (!fs::is_directory(folder_, ec)) return false;
  Values values;
  if (!ReadValues(file_, values)) return false;
  values[OneLine(name)] = OneLine(text);

  std::ostringstream out;
  for (const auto& [key, value] : values) out << key << '=' << value << '\n';
  // Replaced through a temporary file so a crash never leaves it half written.
  fs::path temp = file_;
  temp += ".part";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    if (!file || !(file << out.str()) || !file.flush()) {
      fs::remove(temp, ec);
      return false;
    }
  }
  fs::rename(temp, file_, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

}  // namespace korvane
