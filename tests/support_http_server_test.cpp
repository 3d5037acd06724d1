// The loopback HTTP server the download tests and benchmarks use, and the
// korvane-test-http-server program, fetched from with libcurl.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/http_server.hpp"
#include "support/temp_dir.hpp"

extern char** environ;

namespace korvane::test {
namespace {

struct Fetched {
  CURLcode code = CURLE_FAILED_INIT;
  long status = 0;
  curl_off_t content_length = -1;
  std::string body;
};

std::size_t Append(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

// GET `url`; `range` as curl takes it ("100-"), `headers` as "Name: value".
Fetched Fetch(const std::string& url, const std::vector<std::string>& headers = {}, const char* range = nullptr) {
  Fetched out;
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  curl_slist* list = nullptr;
  for (const std::string& header : headers) list = curl_slist_append(list, header.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, list);
  curl_easy_setopt(curl.get(), CURLOPT_RANGE, range);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Append);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &out.body);
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 60L);  // a body that never ends fails the test
  out.code = curl_easy_perform(curl.get());
  curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &out.status);
  curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &out.content_length);
  curl_slist_free_all(list);
  return out;
}

TEST(LoopbackHttpServer, ServesEachKindOfBodyWithItsLength) {
  TempDir dir;
  // Not a whole number of the blocks a file is read in.
  const std::string file_bytes = GeneratedBody(7, 200'000);
  dir.Write("site/update/image.bin", file_bytes);
  dir.Write("site/empty", "");
  std::string with_nul("a\0b", 3);

  LoopbackHttpServer server;
  server.Serve("/text", with_nul);
  server.Serve("/gone", "maintenance", 503);
  server.ServeFile("/file", (dir / "site/update/image.bin").string());
  server.ServeSlow("/slow", 25, 10, std::chrono::milliseconds(1));
  server.ServeSlow("/slow-empty", 0, 10, std::chrono::milliseconds(1));
  server.ServeFolder(dir / "site");
  const struct {
    std::string path;
    long status;
    std::string body;
  } cases[] = {
      {"/text", 200, with_nul},
      {"/gone", 503, "maintenance"},
      {"/file", 200, file_bytes},
      {"/slow", 200, GeneratedBody(0, 25)},
      {"/update/image.bin", 200, file_bytes},
      {"/empty", 200, ""},
      {"/slow-empty", 200, ""},
  };
  for (const auto& c : cases) {
    const Fetched got = Fetch(server.BaseUrl() + c.path);
    EXPECT_EQ(got.code, CURLE_OK) << c.path;
    EXPECT_EQ(got.status, c.status) << c.path;
    EXPECT_EQ(got.content_length, static_cast<curl_off_t>(c.body.size())) << c.path;
    EXPECT_TRUE(got.body == c.body) << c.path << ": " << got.body.size() << " bytes";
  }

  const Fetched tail = Fetch(server.BaseUrl() + "/file", {}, "199990-");
  EXPECT_EQ(tail.status, 206);
  EXPECT_EQ(tail.body, file_bytes.substr(199'990)) << "a resumed download gets the rest";
}

TEST(LoopbackHttpServer, AnswersUnknownPathsWith404) {
  TempDir dir;
  dir.Write("secret", "not served");
  dir.Write("site/a/file", "served");
  LoopbackHttpServer server;
  server.ServeFile("/missing", (dir / "no-such-file").string());
  server.ServeFolder(dir / "site");
  for (const char* path : {"/nothing-here", "/missing", "/a", "/a/../../secret", "/a/%2e%2e/%2e%2e/secret"}) {
    const Fetched got = Fetch(server.BaseUrl() + path);
    EXPECT_EQ(got.code, CURLE_OK) << path;
    EXPECT_EQ(got.status, 404) << path;
    EXPECT_NE(got.body.find("Not Found"), std::string::npos) << path;
  }
}

TEST(LoopbackHttpServer, RecordsThePathAndTheHeadersTheClientSent) {
  LoopbackHttpServer server;
  server.Serve("/check", "{}");
  Fetch(server.BaseUrl() + "/check?channel=stable", {"User-Agent: Korvane Center/1.0.1", "Cache-Control: no-cache"});
  Fetch(server.BaseUrl() + "/elsewhere");

  const std::vector<LoopbackHttpServer::Request> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].path, "/check");
  EXPECT_EQ(requests[0].Header("user-agent"), "Korvane Center/1.0.1");
  EXPECT_EQ(requests[0].Header("Cache-Control"), "no-cache");
  EXPECT_EQ(requests[0].Header("Pragma"), "");
  EXPECT_EQ(requests[0].Header("REMOTE_ADDR"), "") << "only what the client sent";
  EXPECT_EQ(requests[1].path, "/elsewhere");
}

TEST(LoopbackHttpServer, CutShortEndsThePartialFile) {
  LoopbackHttpServer server;
  server.ServeCutShort("/cut", 1000, 400);
  const Fetched got = Fetch(server.BaseUrl() + "/cut");
  EXPECT_EQ(got.code, CURLE_PARTIAL_FILE);
  EXPECT_EQ(got.content_length, 1000);
  EXPECT_EQ(got.body, GeneratedBody(0, 400));
}

// The body would take hours; the destructor ends it at once (the test would
// hang otherwise) and the client sees an incomplete transfer.
TEST(LoopbackHttpServer, StoppingEndsASlowBody) {
  auto server = std::make_unique<LoopbackHttpServer>();
  server->ServeSlow("/slow", 100, 10, std::chrono::hours(1));
  Fetched got;
  std::thread client([&got, url = server->BaseUrl() + "/slow"] { got = Fetch(url); });
  while (server->Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  server.reset();
  client.join();
  EXPECT_NE(got.code, CURLE_OK);
  EXPECT_LT(got.body.size(), 100u);
  EXPECT_EQ(got.body, GeneratedBody(0, got.body.size()));
}

// The program in the background as a shell test starts it; SIGTERM ends it.
class ServerProcess {
 public:
  explicit ServerProcess(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), KORVANE_TEST_HTTP_SERVER);
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = 0;
  }
  ~ServerProcess() {
    if (pid_ > 0) Stop();
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool spawned() const { return pid_ > 0; }
  int Stop() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = 0;
    return status;
  }

 private:
  pid_t pid_ = 0;
};

TEST(KorvaneTestHttpServer, ServesAFolderUntilTerminated) {
  TempDir dir;
  dir.Write("www/dl/notes.txt", "hello");
  const std::filesystem::path port_file = dir / "port";
  ServerProcess process({(dir / "www").string(), "--port-file", port_file.string()});
  ASSERT_TRUE(process.spawned());
  for (int i = 0; i < 1000 && !std::filesystem::exists(port_file); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  int port = 0;
  std::ifstream(port_file) >> port;
  ASSERT_GT(port, 0);

  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  EXPECT_EQ(Fetch(base + "/dl/notes.txt").body, "hello");
  EXPECT_EQ(Fetch(base + "/dl/other.txt").status, 404);

  const int status = process.Stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace korvane::test
