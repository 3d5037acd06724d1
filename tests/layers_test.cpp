// Every include of the project's own sources follows the layer table of
// src/README.md: a file includes its own folder or a lower layer only.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Layer {
  int rank = 0;
  std::set<std::string> only;  // empty: every lower layer
};

std::vector<std::string> BacktickNames(const std::string& text) {
  std::vector<std::string> names;
  const std::regex name("`([a-z_/]+)`");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), name); it != std::sregex_iterator(); ++it)
    names.push_back((*it)[1]);
  return names;
}

std::map<std::string, Layer> ReadLayerTable(const fs::path& readme) {
  std::map<std::string, Layer> layers;
  std::ifstream in(readme);
  const std::regex row(R"(^\|\s*(\d+)\s*\|([^|]*)\|([^|]*)\|\s*$)");
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (!std::regex_match(line, m, row)) continue;
    const auto only = BacktickNames(m[3]);
    for (const auto& folder : BacktickNames(m[2]))
      layers[folder] = Layer{std::stoi(m[1]), std::set<std::string>(only.begin(), only.end())};
  }
  return layers;
}

// The layer a source file belongs to: src/<folder>/…, else the top folder.
std::string FolderOf(const fs::path& relative) {
  auto it = relative.begin();
  if (*it == "src") ++it;
  return it->string();
}

struct Violation {
  std::string where;
  std::string include;
};

std::vector<Violation> FindViolations(const fs::path& root, const std::map<std::string, Layer>& layers) {
  std::vector<Violation> found;
  const std::regex include_line(R"re(^\s*#\s*include\s+"([a-z_]+)/[^"]+")re");
  for (const char* top : {"src", "sim", "tools", "packaging", "fuzz"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const auto ext = entry.path().extension();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".hpp")) continue;
      const auto relative = fs::relative(entry.path(), root);
      const auto folder = FolderOf(relative);
      const auto own = layers.find(folder);
      if (own == layers.end()) {
        found.push_back({relative.string(), "(folder missing from the layer table)"});
        continue;
      }
      std::ifstream in(entry.path());
      std::string line;
      std::smatch m;
      for (int number = 1; std::getline(in, line); ++number) {
        if (!std::regex_search(line, m, include_line)) continue;
        const std::string target = m[1];
        if (target == folder) continue;
        const auto other = layers.find(target);
        const bool allowed = other != layers.end() && other->second.rank < own->second.rank &&
                             (own->second.only.empty() || own->second.only.count(target) > 0);
        if (!allowed) found.push_back({relative.string() + ":" + std::to_string(number), m[0]});
      }
    }
  }
  return found;
}

const fs::path kRoot{KORVANE_SOURCE_ROOT};

TEST(LayersTest, TableNamesEveryFolderOnce) {
  const auto layers = ReadLayerTable(kRoot / "src" / "README.md");
  for (const auto& folder : {"common", "xml", "platform", "store", "catalog", "language", "device", "profiles",
                             "worker", "performance", "ui", "app", "frontend", "sim", "tools"})
    EXPECT_TRUE(layers.count(folder)) << folder;
  EXPECT_LT(layers.at("common").rank, layers.at("device").rank);
  EXPECT_LT(layers.at("worker").rank, layers.at("app").rank);
}

TEST(LayersTest, EveryIncludeGoesToTheSameOrALowerLayer) {
  const auto layers = ReadLayerTable(kRoot / "src" / "README.md");
  ASSERT_FALSE(layers.empty());
  std::ostringstream report;
  for (const auto& v : FindViolations(kRoot, layers)) report << v.where << ": " << v.include << "\n";
  EXPECT_EQ(report.str(), "");
}

// The checker itself: an upward include, a same-layer include and a folder
// outside sim's list are caught; a lower include is not.
TEST(LayersTest, CheckerCatchesUpwardAndSidewaysIncludes) {
  const fs::path dir = fs::temp_directory_path() / ("korvane-layers-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const auto write = [&](const fs::path& file, const std::string& text) {
    fs::create_directories((dir / file).parent_path());
    std::ofstream(dir / file) << text;
  };
  write("src/platform/udev_hotplug.hpp", "#include \"device/hotplug_source.hpp\"\n");
  write("src/worker/refresh.cpp", "#include \"common/text.hpp\"\n#include \"device/x.hpp\"\n");
  write("src/device/read_back.cpp", "#include \"profiles/profile.hpp\"\n");
  write("sim/firmware.cpp", "#include \"device/report_format.hpp\"\n#include \"store/config_store.hpp\"\n");
  fs::create_directories(dir / "tools");
  fs::create_directories(dir / "packaging");
  fs::create_directories(dir / "fuzz");
  const auto layers = ReadLayerTable(kRoot / "src" / "README.md");
  std::set<std::string> where;
  for (const auto& v : FindViolations(dir, layers)) where.insert(v.where);
  fs::remove_all(dir);
  EXPECT_EQ(where, (std::set<std::string>{"sim/firmware.cpp:2", "src/device/read_back.cpp:1",
                                          "src/platform/udev_hotplug.hpp:1"}));
}

}  // namespace
