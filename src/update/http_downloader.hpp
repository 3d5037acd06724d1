#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace korvane {

// What a fetch ended with.
enum class FetchResult : int {
  kNoHandle = 0,    // no HTTP session could be set up
  kCompleted = 1,   // the whole body arrived with a 2xx status
  kFailed = -1,     // no answer, a non-2xx status, a broken transfer, a body over the limit, or no file
  kCancelled = -2,  // Cancel was called while the transfer ran
};

// Receives a download's progress (0 to 100) on the downloading thread.
using ProgressSink = std::function<void(int percent)>;

// Fetches files from the update servers over HTTP or HTTPS with libcurl:
// GET with a fixed user agent, no caching anywhere on the way, proxies as
// the environment names them (http_proxy, https_proxy, no_proxy). The body
// is read in blocks of 10240 bytes. A transfer blocks the calling thread;
// Cancel may be called from any other thread.
class HttpDownloader final {
 public:
  static constexpr std::size_t kBlockSize = 10240;
  static constexpr std::size_t kMaxTextBytes = 64 * 1024;
  static constexpr std::size_t kMaxFileBytes = 256u * 1024 * 1024;
  static constexpr const char* kUserAgent = "IIC2.0/PC 5.5.0000";

  // max_file_bytes: the largest body FetchFile takes.
  explicit HttpDownloader(std::size_t max_file_bytes = kMaxFileBytes);
  HttpDownloader(const HttpDownloader&) = delete;
  HttpDownloader& operator=(const HttpDownloader&) = delete;

  // The whole body as text (at most kMaxTextBytes, cut at the first zero
  // byte). text is left unchanged unless the fetch completed.
  FetchResult FetchText(const std::string& url, std::string& text);

  // Streams the body into path, replacing any file there. Progress goes to
  // sink when one is given: 0 (only when the last value posted was not 0),
  // 2 once the session is set up, 8 once the server answered, 10 once the
  // file is created, then after each block its share of 90 on top of 10,
  // and 100 at the end; a value equal to the last one posted is not posted
  // again and none exceeds 100. On any result but kCompleted no file is
  // left at path, so a partial body is never taken for a whole one.
  FetchResult FetchFile(const std::string& url, const std::filesystem::path& path, const ProgressSink& sink);

  // Stops the running transfer after its current block; it ends with
  // kCancelled. Without a running transfer it does nothing.
  void Cancel() { continue_ = false; }

 private:
  const std::size_t max_file_bytes_;
  std::atomic<bool> continue_{false};
  int last_progress_ = 0;
};

}  // namespace korvane
