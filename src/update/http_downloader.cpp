#include "update/http_downloader.hpp"

#include <curl/curl.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>

namespace korvane {

namespace {

constexpr long kConnectTimeoutSeconds = 20;
// A transfer that moves less than one byte a second for this long has stalled.
constexpr long kStallSeconds = 60;
constexpr long kMaxRedirects = 5;
// A version text is small: a server that takes longer than this for one has
// failed, and the connection refresh that asks for it is not held up longer.
constexpr long kTextTimeoutSeconds = 15;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

bool IsHttps(std::string_view url) {
  constexpr std::string_view kScheme = "https://";
  return url.size() >= kScheme.size() && std::equal(kScheme.begin(), kScheme.end(), url.begin(), [](char a, char b) {
           return a == static_cast<char>(std::tolower(static_cast<unsigned char>(b)));
         });
}

// What a transfer does with the answer: ready runs before the request goes
// out, opened runs once when a 2xx answer
// begins (with its Content-Length, 0 when unknown), block for every block of
// kBlockSize bytes and for the shorter last one. Either returns false to
// fail the transfer.
struct TransferHooks {
  std::function<void()> ready;  // the request is set up and about to be sent
  std::function<bool(std::uint64_t content_length)> opened;
  std::function<bool(std::string_view block)> block;
};

// One GET on the easy handle, with the body cut into blocks.
class Transfer {
 public:
  Transfer(CURL* curl, std::size_t limit, const std::atomic<bool>& go, const TransferHooks& hooks)
      : curl_(curl), limit_(limit), go_(go), hooks_(hooks) {}

  FetchResult Run() {
    const CURLcode code = curl_easy_perform(curl_);
    if (!go_) return FetchResult::kCancelled;
    if (code != CURLE_OK || failed_) return FetchResult::kFailed;
    if (!opened_ && !Open()) return FetchResult::kFailed;
    if (!pending_.empty() && !hooks_.block(pending_)) return FetchResult::kFailed;
    return go_ ? FetchResult::kCompleted : FetchResult::kCancelled;
  }

  static std::size_t OnData(char* data, std::size_t size, std::size_t count, void* self) {
    return static_cast<Transfer*>(self)->Take(std::string_view(data, size * count)) ? size * count : 0;
  }

  static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(self)->go_ ? 0 : 1;
  }

 private:
  bool Take(std::string_view data) {
    if (!go_ || failed_) return false;
    if (!opened_ && !Open()) return Fail();
    received_ += data.size();
    if (received_ > limit_) return Fail();
    pending_.append(data);
    std::size_t at = 0;
    for (; pending_.size() - at >= HttpDownloader::kBlockSize; at += HttpDownloader::kBlockSize) {
      if (!hooks_.block(std::string_view(pending_).substr(at, HttpDownloader::kBlockSize))) return Fail();
      if (!go_) return false;
    }
    pending_.erase(0, at);
    return true;
  }

  // The answer's status and length are known once its body starts.
  bool Open() {
    opened_ = true;
    long status = 0;
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) return false;
    curl_off_t length = -1;
    curl_easy_getinfo(curl_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length > 0 && static_cast<std::uint64_t>(length) > limit_) return false;
    return hooks_.opened(length > 0 ? static_cast<std::uint64_t>(length) : 0);
  }

  bool Fail() {
    failed_ = true;
    return false;
  }

  CURL* curl_;
  std::size_t limit_;
  const std::atomic<bool>& go_;
  const TransferHooks& hooks_;
  bool opened_ = false;
  bool failed_ = false;
  std::size_t received_ = 0;
  std::string pending_;
};

// Sets up a GET of url whose answer goes to transfer.
void SetUpRequest(CURL* c, const std::string& url, curl_slist* headers, long timeout_seconds, Transfer& transfer) {
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_USERAGENT, HttpDownloader::kUserAgent);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_FRESH_CONNECT, 1L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, kMaxRedirects);
  // A download asked for over HTTPS stays on HTTPS through redirects.
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, IsHttps(url) ? "https" : "http,https");
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(c, CURLOPT_TIMEOUT, timeout_seconds);
  curl_easy_setopt(c, CURLOPT_BUFFERSIZE, static_cast<long>(HttpDownloader::kBlockSize));
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Transfer::OnData);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Transfer::OnProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
}

std::unique_ptr<curl_slist, ListCleanup> RequestHeaders() {
  curl_slist* list = nullptr;
  for (const char* header : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"}) {
    curl_slist* grown = curl_slist_append(list, header);
    if (!grown) break;
    list = grown;
  }
  return std::unique_ptr<curl_slist, ListCleanup>(list);
}

class FileOut {
 public:
  explicit FileOut(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    // Created anew: a link put there in the meantime is not followed.
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  }
  ~FileOut() { Close(); }
  FileOut(const FileOut&) = delete;
  FileOut& operator=(const FileOut&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }
  bool Close() {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_ = -1;
};

// Runs one GET of url with at most limit body bytes, ended after
// timeout_seconds (0: no limit but the stall rule).
FetchResult Get(const std::string& url, std::size_t limit, long timeout_seconds, const std::atomic<bool>& go,
                const TransferHooks& hooks) {
  const std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
  if (!curl) return FetchResult::kNoHandle;
  const auto headers = RequestHeaders();
  Transfer transfer(curl.get(), limit, go, hooks);
  SetUpRequest(curl.get(), url, headers.get(), timeout_seconds, transfer);
  hooks.ready();
  return transfer.Run();
}

}  // namespace

HttpDownloader::HttpDownloader(std::size_t max_file_bytes) : max_file_bytes_(max_file_bytes) { InitCurlOnce(); }

FetchResult HttpDownloader::FetchText(const std::string& url, std::string& text) {
  continue_ = true;
  std::string body;
  const TransferHooks hooks{[] {}, [](std::uint64_t) { return true; },
                            [&body](std::string_view block) {
                              body.append(block);
                              return true;
                            }};
  const FetchResult result = Get(url, kMaxTextBytes, kTextTimeoutSeconds, continue_, hooks);
  if (result == FetchResult::kCompleted) text = body.substr(0, body.find('\0'));
  return result;
}

FetchResult HttpDownloader::FetchFile(const std::string& url, const std::filesystem::path& path,
                                      const ProgressSink& sink) {
  const auto post = [this, &sink](int value) {
    value = std::min(value, 100);
    if (!sink || value == last_progress_) return;
    last_progress_ = value;
    sink(value);
  };
  post(0);
  continue_ = true;
  std::unique_ptr<FileOut> file;
  std::uint64_t blocks = 0;
  std::uint64_t sum = 0;
  const TransferHooks hooks{[&] { post(2); },
                            [&](std::uint64_t content_length) {
                              post(8);
                              file = std::make_unique<FileOut>(path);
                              if (!file->IsOpen()) return false;
                              blocks = content_length / kBlockSize;
                              post(10);
                              return true;
                            },
                            [&](std::string_view block) {
                              if (!file->Write(block)) return false;
                              sum += 90;
                              if (blocks > 0) post(static_cast<int>(std::min<std::uint64_t>(sum / blocks + 10, 100)));
                              return true;
                            }};
  FetchResult result = Get(url, max_file_bytes_, 0, continue_, hooks);
  if (file && !file->Close() && result == FetchResult::kCompleted) result = FetchResult::kFailed;
  if (result != FetchResult::kCompleted) {
    // Whatever is at path is a partial body or an older download.
    std::error_code error;
    std::filesystem::remove(path, error);
    return result;
  }
  post(100);
  return result;
}

}  // namespace korvane
