#include "update/versions.hpp"

#include <gtest/gtest.h>

#include "support/http_server.hpp"
#include "update/software_update.hpp"

namespace korvane {
namespace {

TEST(Versions, CompareByPartCountThenLeadingDigits) {
  struct Case {
    const char* installed;
    const char* offered;
    int expected;
  };
  for (const Case& c : {
           Case{"1.0.1", "1.0.2", 1},
           Case{"1.0.10", "1.0.9", -1},  // parts compare as numbers
           Case{"1.0.1", "1.1", 2},      // different part counts always count as newer
           Case{"1.0.1", "V1.0.2", -1},  // "V1" has no leading digits: 0
           Case{"1.0.1", "1.0.1", 0},
           Case{"103", "104", 1},
           Case{"103", "99", -1},
           Case{"103", "1.04", 2},
           Case{"1..2", "1.0.2", 0},  // an empty part counts, as 0
           Case{"", "", 0},
       }) {
    SCOPED_TRACE(std::string(c.installed) + " / " + c.offered);
    EXPECT_EQ(CompareVersions(c.installed, c.offered), c.expected);
    EXPECT_EQ(IsNewerVersion(c.installed, c.offered), c.expected >= 1);
  }
}

TEST(Versions, AVersionFileIsTakenOnlyWhenItCanBeAVersion) {
  test::LoopbackHttpServer server;
  HttpDownloader downloader;
  struct Case {
    const char* body;
    bool taken;
  };
  for (const Case& c : {Case{"1.0.3", true}, Case{"10.20.3000", true}, Case{"10.20.30001", false}, Case{"", false},
                        Case{"1.0.3 x", false}, Case{"../../x", false}}) {
    SCOPED_TRACE(c.body);
    server.Serve("/version", c.body);
    const auto offered = FetchOfferedVersion(downloader, server.BaseUrl() + "/version", kMaxSoftwareVersionLength);
    EXPECT_EQ(offered.has_value(), c.taken);
    if (c.taken) {
      EXPECT_EQ(*offered, c.body);
    }
  }
  // The line break a text editor ends the file with is not part of it.
  server.Serve("/version", "1.0.3\r\n");
  EXPECT_EQ(FetchOfferedVersion(downloader, server.BaseUrl() + "/version", kMaxSoftwareVersionLength), "1.0.3");
  server.Serve("/version", "1.0.3", 404);
  EXPECT_FALSE(FetchOfferedVersion(downloader, server.BaseUrl() + "/version", kMaxSoftwareVersionLength));
}

}  // namespace
}  // namespace korvane
