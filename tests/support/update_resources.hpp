#pragma once

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace korvane::test {

// Copies the shipped resources into folder with the update servers moved to
// base_url: the program's update address becomes <base_url>/center/ and each
// model's firmware address <base_url>/firmware/<model>. Returns folder.
inline std::filesystem::path ResourcesWithUpdateServer(const std::filesystem::path& folder,
                                                       const std::string& base_url) {
  std::filesystem::copy(KORVANE_SOURCE_DATA, folder, std::filesystem::copy_options::recursive);
  const auto rewrite = [](const std::filesystem::path& file, const std::regex& pattern, const std::string& with) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    in.close();
    std::ofstream(file, std::ios::binary | std::ios::trunc) << std::regex_replace(text.str(), pattern, with);
  };
  rewrite(folder / "config.xml", std::regex(R"(<upgrade url="[^"]*")"), "<upgrade url=\"" + base_url + "/center/\"");
  for (const auto& entry : std::filesystem::directory_iterator(folder / "device")) {
    rewrite(entry.path(), std::regex(R"(<firmware url="[^"]*/firmware/)"),
            "<firmware url=\"" + base_url + "/firmware/");
  }
  return folder;
}

}  // namespace korvane::test
