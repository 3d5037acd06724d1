#include "update/http_downloader.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include "support/file_bytes.hpp"
#include "support/http_server.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

using test::LoopbackHttpServer;

class HttpDownloaderTest : public ::testing::Test {
 protected:
  FetchResult Fetch(const std::string& path) {
    posted.clear();
    return downloader.FetchFile(server.BaseUrl() + path, file, [this](int value) { posted.push_back(value); });
  }

  LoopbackHttpServer server;
  HttpDownloader downloader;
  test::TempDir dir;
  std::filesystem::path file = dir / "download.bin";
  std::vector<int> posted;
};

TEST_F(HttpDownloaderTest, ProgressRunsInBlocksAndNeverPassesOneHundred) {
  const std::string big = test::GeneratedBody(0, 25000);
  server.Serve("/big", big);
  server.Serve("/small", std::string(5000, 'x'));
  // Blocks of 10240, 10240 and 4520 bytes with two whole blocks announced:
  // 55 and 100, the third block's 145 is held at 100; 0 is not posted while
  // the last value posted is 0.
  EXPECT_EQ(Fetch("/big"), FetchResult::kCompleted);
  EXPECT_EQ(posted, (std::vector<int>{2, 8, 10, 55, 100}));
  EXPECT_EQ(test::ReadFileBytes(file), big);
  // After a finished download the next one starts at 0 again.
  EXPECT_EQ(Fetch("/small"), FetchResult::kCompleted);
  EXPECT_EQ(posted, (std::vector<int>{0, 2, 8, 10, 100}));
  EXPECT_EQ(test::ReadFileBytes(file), std::string(5000, 'x'));
}

TEST_F(HttpDownloaderTest, FetchTextSendsTheFixedRequestAndReturnsTheBody) {
  server.Serve("/version", "1.0.3");
  std::string text = "unchanged";
  EXPECT_EQ(downloader.FetchText(server.BaseUrl() + "/version", text), FetchResult::kCompleted);
  EXPECT_EQ(text, "1.0.3");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Header("User-Agent"), HttpDownloader::kUserAgent);
  EXPECT_EQ(requests[0].Header("Accept"), "*/*");
  EXPECT_EQ(requests[0].Header("Cache-Control"), "no-cache");
  EXPECT_EQ(requests[0].Header("Pragma"), "no-cache");
}

TEST_F(HttpDownloaderTest, FailuresLeaveTheTextAndNoFile) {
  server.Serve("/missing", "<html>Not found</html>", 404);
  server.Serve("/error", "<html>Oops</html>", 500);
  server.ServeCutShort("/cut", 30000, 12000);
  server.Serve("/huge-text", std::string(HttpDownloader::kMaxTextBytes + 1, '1'));
  for (const char* path : {"/missing", "/error", "/cut", "/huge-text"}) {
    SCOPED_TRACE(path);
    std::string text = "unchanged";
    EXPECT_EQ(downloader.FetchText(server.BaseUrl() + path, text), FetchResult::kFailed);
    EXPECT_EQ(text, "unchanged");
  }
  for (const char* path : {"/missing", "/error", "/cut"}) {
    SCOPED_TRACE(path);
    std::ofstream(file) << "an older download";
    EXPECT_EQ(Fetch(path), FetchResult::kFailed);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(posted.empty() || posted.back() != 100);
  }
}

TEST_F(HttpDownloaderTest, AFileOverTheLimitIsRefused) {
  HttpDownloader small(20000);
  server.Serve("/big", std::string(25000, 'x'));
  std::ofstream(file) << "an older download";
  EXPECT_EQ(small.FetchFile(server.BaseUrl() + "/big", file, nullptr), FetchResult::kFailed);
  EXPECT_FALSE(std::filesystem::exists(file));
  server.Serve("/fits", std::string(20000, 'x'));
  EXPECT_EQ(small.FetchFile(server.BaseUrl() + "/fits", file, nullptr), FetchResult::kCompleted);
}

TEST_F(HttpDownloaderTest, NoServerOrNoFolderFailsAfterTheSessionIsSetUp) {
  // A port nothing listens on: the request is set up (2), never answered.
  EXPECT_EQ(downloader.FetchFile("http://127.0.0.1:9/x", file, [this](int v) { posted.push_back(v); }),
            FetchResult::kFailed);
  EXPECT_EQ(posted, (std::vector<int>{2}));
  server.Serve("/ok", "data");
  posted.clear();
  EXPECT_EQ(downloader.FetchFile(server.BaseUrl() + "/ok", dir / "no-such-folder" / "f",
                                 [this](int v) { posted.push_back(v); }),
            FetchResult::kFailed);
  EXPECT_EQ(posted, (std::vector<int>{0, 2, 8}));
}

TEST_F(HttpDownloaderTest, CancelFromAnotherThreadStopsASlowDownload) {
  server.ServeSlow("/slow", 10'000'000, 1024, std::chrono::milliseconds(20));
  std::thread canceller([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    downloader.Cancel();
  });
  // The whole body would take minutes.
  EXPECT_EQ(Fetch("/slow"), FetchResult::kCancelled);
  canceller.join();
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace korvane
