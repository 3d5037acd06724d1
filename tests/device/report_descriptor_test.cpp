#include "device/report_descriptor.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/sim_test_support.hpp"

namespace korvane {
namespace {

using sim::test::Hex;

struct DescriptorCase {
  std::string name;
  std::string descriptor;
  std::optional<std::size_t> length;
};

// Report descriptors written out item by item; the length counts the report
// id byte and the longest output report's data.
TEST(ReportDescriptor, OutputReportLength) {
  const std::vector<DescriptorCase> cases{
      {"the mouse's configuration interface: 64 bytes in, 64 bytes out",
       "06 01 FF 09 10 A1 01 15 00 26 FF 00 75 08 95 40 09 10 81 02 95 40 09 10 91 02 C0", 65},
      {"numbered reports: the longest output report decides",
       "06 EF FF 09 00 A1 01 75 08 85 05 95 3F 09 00 91 02 85 06 95 07 09 00 91 02 85 05 95 3F 09 00 81 02 C0", 64},
      {"a keyboard's LED report: 5 bits and 3 bits of padding",
       "05 01 09 06 A1 01 05 08 19 01 29 05 75 01 95 05 91 02 75 03 95 01 91 01 C0", 2},
      {"push and pop restore the report size",
       "06 01 FF 09 10 A1 01 75 08 A4 75 10 95 02 09 10 81 02 B4 95 20 09 10 91 02 C0", 33},
      {"a two-byte report count", "06 01 FF 09 10 A1 01 75 08 96 00 01 09 10 91 02 C0", 257},
      {"a long item is skipped", "FE 02 10 AA BB 75 08 95 40 91 02", 65},
      {"input only: no output report", "05 01 09 02 A1 01 75 08 95 03 81 06 C0", std::nullopt},
      {"an item cut short", "75 08 95 40 91 02 26 FF", std::nullopt},
      {"a long item cut short", "75 08 95 40 91 02 FE 05 10 AA", std::nullopt},
      {"a pop without a push", "75 08 95 40 91 02 B4", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const DescriptorCase& c : cases) {
    EXPECT_EQ(OutputReportLength(Hex(c.descriptor)), c.length) << c.name;
  }
}

}  // namespace
}  // namespace korvane
