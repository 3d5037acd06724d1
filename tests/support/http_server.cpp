#include "support/http_server.hpp"

#include <httplib.h>
#include <strings.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace korvane::test {

namespace {

constexpr char kHost[] = "127.0.0.1";
constexpr char kBinary[] = "application/octet-stream";
constexpr std::size_t kFileBlock = 64 * 1024;

// Headers the server library adds to a request for its handlers; the client
// never sent them.
constexpr std::string_view kServerSideHeaders[] = {"LOCAL_ADDR", "LOCAL_PORT", "REMOTE_ADDR", "REMOTE_PORT"};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

void NotFound(httplib::Response& response) {
  response.status = 404;
  response.set_content(
      "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>"
      "<body><h1>Not Found</h1></body></html>\n",
      "text/html");
}

// A body produced as it is sent. The server library takes a provider of no
// bytes for one of unknown length and would call it forever, so an empty body
// is set as such.
void SetGeneratedContent(httplib::Response& response, std::size_t length, httplib::ContentProvider provider) {
  if (length == 0) return response.set_content("", kBinary);
  response.set_content_provider(length, kBinary, std::move(provider));
}

// The regular file a request path names below `folder`; none for a path with
// a ".." part or one that names no regular file.
std::optional<std::filesystem::path> FileBelow(const std::filesystem::path& folder, std::string_view path) {
  const std::filesystem::path relative = std::filesystem::path(path).relative_path();
  if (std::any_of(relative.begin(), relative.end(), [](const auto& part) { return part == ".."; })) return {};
  std::filesystem::path file = folder / relative;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return {};
  return file;
}

// A file is read block by block as the response is written, never whole.
void AnswerFile(const std::filesystem::path& path, httplib::Response& response) {
  struct Source {
    std::ifstream in;
    std::vector<char> block;
  };
  auto source = std::make_shared<Source>();
  source->in.open(path, std::ios::binary);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!source->in || error) return NotFound(response);
  source->block.resize(kFileBlock);
  SetGeneratedContent(response, size, [source](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
    const std::size_t count = std::min(length, source->block.size());
    source->in.seekg(static_cast<std::streamoff>(offset));
    source->in.read(source->block.data(), static_cast<std::streamsize>(count));
    // A file that shrank since the length was announced ends the connection.
    if (source->in.gcount() != static_cast<std::streamsize>(count)) return false;
    return sink.write(source->block.data(), count);
  });
}

}  // namespace

std::string GeneratedBody(std::size_t offset, std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((offset + i) % 251);
  return bytes;
}

std::string LoopbackHttpServer::Request::Header(std::string_view name) const {
  const auto found =
      std::find_if(headers.begin(), headers.end(), [name](const auto& header) { return SameName(header.first, name); });
  return found == headers.end() ? std::string() : found->second;
}

LoopbackHttpServer::LoopbackHttpServer() : server_(std::make_unique<httplib::Server>()) {
  // An idle kept-alive connection holds a server thread; a short wait keeps
  // the destructor from waiting long for a client that never closes.
  server_->set_keep_alive_timeout(1);
  server_->Get(".*",
               [this](const httplib::Request& request, httplib::Response& response) { Answer(request, response); });
  const int port = server_->bind_to_any_port(kHost);
  if (port <= 0) throw std::runtime_error("cannot bind a port on 127.0.0.1");
  port_ = static_cast<std::uint16_t>(port);

  // stop() only reaches a server that is already listening, so the
  // constructor returns once it is.
  thread_ = std::thread([this] {
    server_->listen_after_bind();
    listening_ended_ = true;
  });
  while (!server_->is_running() && !listening_ended_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (listening_ended_) {
    thread_.join();
    throw std::runtime_error("the HTTP server on 127.0.0.1 did not start listening");
  }
}

LoopbackHttpServer::~LoopbackHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopping_changed_.notify_all();
  server_->stop();
  thread_.join();
}

std::string LoopbackHttpServer::BaseUrl() const { return "http://" + std::string(kHost) + ":" + std::to_string(port_); }

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LoopbackHttpServer::Serve(std::string path, std::string body, int status) {
  Add(std::move(path), Body{std::move(body), status});
}

void LoopbackHttpServer::ServeFile(std::string path, std::string file_path) {
  Add(std::move(path), File{std::move(file_path)});
}

void LoopbackHttpServer::ServeSlow(std::string path, std::size_t total_bytes, std::size_t chunk_bytes,
                                   std::chrono::milliseconds pause) {
  if (chunk_bytes == 0) throw std::invalid_argument("ServeSlow: a chunk of no bytes never ends");
  Add(std::move(path), Slow{total_bytes, chunk_bytes, pause});
}

void LoopbackHttpServer::ServeCutShort(std::string path, std::size_t declared_bytes, std::size_t sent_bytes) {
  if (sent_bytes >= declared_bytes) throw std::invalid_argument("ServeCutShort: must send less than it declares");
  Add(std::move(path), CutShort{declared_bytes, sent_bytes});
}

void LoopbackHttpServer::ServeFolder(std::filesystem::path folder) {
  std::lock_guard lock(mutex_);
  folder_ = std::move(folder);
}

void LoopbackHttpServer::Add(std::string path, Route route) {
  std::lock_guard lock(mutex_);
  routes_.insert_or_assign(std::move(path), std::move(route));
}

void LoopbackHttpServer::Answer(const httplib::Request& request, httplib::Response& response) {
  std::optional<Route> route;
  {
    std::lock_guard lock(mutex_);
    Request& seen = requests_.emplace_back();
    seen.path = request.path;
    for (const auto& [name, value] : request.headers) {
      const bool added = std::any_of(std::begin(kServerSideHeaders), std::end(kServerSideHeaders),
                                     [&name](std::string_view own) { return name == own; });
      if (!added) seen.headers.emplace_back(name, value);
    }
    if (const auto found = routes_.find(request.path); found != routes_.end()) {
      route = found->second;
    } else if (!folder_.empty()) {
      if (auto file = FileBelow(folder_, request.path)) route = File{std::move(*file)};
    }
  }
  if (!route) return NotFound(response);

  // A success leaves the status unset: the library then answers 200, or 206
  // with the requested part to a Range request (a resumed download).

  if (const auto* body = std::get_if<Body>(&*route)) {
    if (body->status != 200) response.status = body->status;
    response.set_content(body->bytes, kBinary);
  } else if (const auto* file = std::get_if<File>(&*route)) {
    AnswerFile(file->path, response);
  } else if (const auto* slow = std::get_if<Slow>(&*route)) {
    AnswerSlow(*slow, response);
  } else {
    AnswerCutShort(std::get<CutShort>(*route), response);
  }
}

void LoopbackHttpServer::AnswerCutShort(const CutShort& cut, httplib::Response& response) {
  SetGeneratedContent(response, cut.declared, [cut](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
    // Returning false makes the server close the connection.
    if (offset >= cut.sent) return false;
    const std::string bytes = GeneratedBody(offset, std::min(length, cut.sent - offset));
    return sink.write(bytes.data(), bytes.size());
  });
}

void LoopbackHttpServer::AnswerSlow(const Slow& slow, httplib::Response& response) {
  SetGeneratedContent(response, slow.total,
                      [this, slow](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                        const std::string bytes = GeneratedBody(offset, std::min(length, slow.chunk));
                        if (!sink.write(bytes.data(), bytes.size())) return false;
                        if (bytes.size() == length) return true;
                        std::unique_lock lock(mutex_);
                        return !stopping_changed_.wait_for(lock, slow.pause, [this] { return stopping_; });
                      });
}

}  // namespace korvane::test
