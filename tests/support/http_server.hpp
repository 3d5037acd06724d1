#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <variant>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace korvane::test {

// An HTTP server on 127.0.0.1 for tests and benchmarks of downloads. It
// listens on a free port from construction on, answers GET (and HEAD) on its
// own threads, and stops in the destructor. Paths are served as registered;
// every method may be called at any time from any thread, and a change
// applies to the next request.
class LoopbackHttpServer {
 public:
  // One request as it arrived: the path (without the query) and the headers
  // the client sent, ordered by name.
  struct Request {
    std::string path;
    std::vector<std::pair<std::string, std::string>> headers;

    // The first value of a header, its name compared without regard to case;
    // empty when the client did not send it.
    std::string Header(std::string_view name) const;
  };

  // Throws std::runtime_error when no port can be bound.
  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  // `body` exactly, with its Content-Length and the given status.
  void Serve(std::string path, std::string body, int status = 200);
  // The file as it is when requested, read from disk as it is sent; 404 when
  // it cannot be opened then.
  void ServeFile(std::string path, std::string file_path);
  // `total_bytes` of GeneratedBody announced by Content-Length, sent
  // `chunk_bytes` at a time with `pause` after each chunk. Stops when a write
  // fails (the client went away) or at once when the server stops.
  void ServeSlow(std::string path, std::size_t total_bytes, std::size_t chunk_bytes, std::chrono::milliseconds pause);
  // Announces `declared_bytes` of GeneratedBody, sends the first `sent_bytes`
  // of them, then closes the connection.
  void ServeCutShort(std::string path, std::size_t declared_bytes, std::size_t sent_bytes);
  // Every other path names a regular file below `folder` (no ".." part);
  // served as ServeFile does.
  void ServeFolder(std::filesystem::path folder);

  std::uint16_t Port() const { return port_; }
  std::string BaseUrl() const;  // "http://127.0.0.1:PORT"
  std::vector<Request> Requests() const;

 private:
  struct Body {
    std::string bytes;
    int status;
  };
  struct File {
    std::filesystem::path path;
  };
  struct Slow {
    std::size_t total;
    std::size_t chunk;
    std::chrono::milliseconds pause;
  };
  struct CutShort {
    std::size_t declared;
    std::size_t sent;
  };
  using Route = std::variant<Body, File, Slow, CutShort>;

  void Add(std::string path, Route route);
  void Answer(const httplib::Request& request, httplib::Response& response);
  void AnswerSlow(const Slow& slow, httplib::Response& response);
  static void AnswerCutShort(const CutShort& cut, httplib::Response& response);

  std::unique_ptr<httplib::Server> server_;
  std::uint16_t port_ = 0;
  mutable std::mutex mutex_;
  std::condition_variable stopping_changed_;
  bool stopping_ = false;
  std::map<std::string, Route, std::less<>> routes_;
  std::filesystem::path folder_;
  std::vector<Request> requests_;
  std::atomic<bool> listening_ended_ = false;
  std::thread thread_;
};

// The bytes the generated bodies carry: byte i of a body is i mod 251, so a
// resumed or cut-short download can be checked byte for byte.
std::string GeneratedBody(std::size_t offset, std::size_t count);

}  // namespace korvane::test
