#include "device/udev_rules.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/catalog_file.hpp"

namespace korvane {
namespace {

std::vector<std::string> RuleLines(const std::string& rules) {
  std::vector<std::string> lines;
  std::istringstream in(rules);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

TEST(UdevRulesTest, OneRulePerDistinctCatalogId) {
  DeviceCatalog catalog;
  auto mode = [](int vid, int pid) {
    CatalogEntry entry;
    entry.vid = vid;
    entry.pid = pid;
    return entry;
  };
  catalog.interfaces = {mode(0x3A7C, 0x1001), mode(0x3A7C, 0x1100), mode(0x3A7C, 0x1100), mode(0x00AB, 0x000C)};
  EXPECT_EQ(RuleLines(UdevRules(catalog)),
            (std::vector<std::string>{
                R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="3a7c", ATTRS{idProduct}=="1001", TAG+="uaccess")",
                R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="3a7c", ATTRS{idProduct}=="1100", TAG+="uaccess")",
                R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="00ab", ATTRS{idProduct}=="000c", TAG+="uaccess")",
            }));
  EXPECT_EQ(UdevRules(DeviceCatalog{}), "");
}

TEST(UdevRulesTest, ShippedCatalogGrantsExactlyItsDevices) {
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(std::string(KORVANE_SOURCE_DATA) + "/config.xml", {}, report);
  ASSERT_TRUE(report.loaded) << report.error;
  const auto lines = RuleLines(UdevRules(catalog));
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    EXPECT_NE(line.find("ATTRS{idVendor}==\""), std::string::npos) << line;
    EXPECT_NE(line.find("ATTRS{idProduct}==\""), std::string::npos) << line;
  }
  for (const CatalogEntry& entry : catalog.interfaces) {
    char ids[64];
    std::snprintf(ids, sizeof ids, "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\"", entry.vid, entry.pid);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [&](const std::string& line) { return line.find(ids) != std::string::npos; }),
              1)
        << ids;
  }
}

}  // namespace
}  // namespace korvane
