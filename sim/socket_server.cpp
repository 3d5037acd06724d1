#include "sim/socket_server.hpp"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "sim/control_commands.hpp"
#include "sim/socket_protocol.hpp"

namespace korvane::sim {

namespace {

using wire::Reader;
using wire::Writer;

// A read with a timeout waits at most one slice. A read until input waits
// slice after slice, and between two slices notices a client that has left
// (or a server that stops): nullopt then.
std::optional<int> ReadFor(HidHandle& handle, std::span<std::uint8_t> buffer, int timeout_ms,
                           const wire::Connection& connection) {
  if (timeout_ms >= 0) return handle.Read(buffer, std::min(timeout_ms, wire::kMaxReadSliceMs));
  for (;;) {
    const int n = handle.Read(buffer, wire::kMaxReadSliceMs);
    if (n != 0) return n;
    if (connection.Ended()) return std::nullopt;
  }
}

}  // namespace

// Answers one request; nullopt ends the connection (malformed request, a
// client that left while its read waited, or a subscription, whose
// connection only receives events from now on).
std::optional<std::vector<std::uint8_t>> SocketServer::Answer(Client& client, const wire::Message& request) {
  Session& session = client.session;
  Reader in(request.body);
  Writer out;
  switch (request.type) {
    case wire::kEnumerate: {
      const std::vector<HidInterfaceInfo> list = bus_.Enumerate();
      out.U32(static_cast<std::uint32_t>(list.size()));
      for (const HidInterfaceInfo& info : list) out.Interface(info);
      break;
    }
    case wire::kProbe: {
      const std::optional<HidInterfaceInfo> info = bus_.Probe(in.Text());
      out.U8(info ? 1 : 0);
      if (info) out.Interface(*info);
      break;
    }
    case wire::kOpen: {
      std::unique_ptr<HidHandle> handle = bus_.Open(in.Text());
      std::lock_guard lock(session.mutex);
      session.handle = std::move(handle);
      out.U8(session.handle ? 1 : 0);
      if (session.handle) out.U16(static_cast<std::uint16_t>(session.handle->OutputReportLength()));
      break;
    }
    case wire::kWrite: {
      const std::vector<std::uint8_t> report = in.Bytes();
      out.I32(session.handle ? session.handle->Write(report) : -1);
      break;
    }
    case wire::kRead: {
      const std::uint32_t max = std::min<std::uint32_t>(in.U32(), wire::kMaxFrame / 2);
      const int timeout = in.I32();
      std::vector<std::uint8_t> buffer(max);
      const std::optional<int> n =
          session.handle ? ReadFor(*session.handle, buffer, timeout, *client.connection) : std::optional(-1);
      if (!n) return std::nullopt;
      buffer.resize(static_cast<std::size_t>(std::max(*n, 0)));
      out.I32(*n).Bytes(buffer);
      break;
    }
    case wire::kProduct:
      out.Text(session.handle ? session.handle->ProductString() : std::string());
      break;
    case wire::kControl: {
      const std::string device = in.Text();
      const std::uint32_t count = in.U32();
      std::vector<std::string> words;
      for (std::uint32_t i = 0; i < count && in.ok(); ++i) words.push_back(in.Text());
      if (!in.ok()) return std::nullopt;
      const ControlResult result = RunControl(bus_, device, words);
      out.U8(result.ok ? 1 : 0).Text(result.text);
      break;
    }
    default:
      return std::nullopt;
  }
  if (!in.ok()) return std::nullopt;
  return out.Take();
}

SocketServer::SocketServer(VirtualBus& bus) : bus_(bus) {}

SocketServer::~SocketServer() { Stop(); }

bool SocketServer::Start(const std::string& path, std::string* error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    *error = "socket path is empty or too long: " + path;
    return false;
  }
  if (wire::Connection::Connect(path)) {
    *error = path + " is served already";
    return false;
  }
  ::unlink(path.c_str());
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  listen_fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listen_fd_ < 0 || ::bind(listen_fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listen_fd_, 16) != 0) {
    *error = "cannot serve " + path + ": " + std::strerror(errno);
    if (listen_fd_ >= 0) ::close(listen_fd_);
    listen_fd_ = -1;
    return false;
  }
  path_ = path;
  bus_.SetListener([this](const HotplugEvent& event) { Broadcast(event); });
  accept_thread_ = std::thread([this] { AcceptLoop(); });
  return true;
}

void SocketServer::Stop() {
  if (listen_fd_ < 0) return;
  bus_.SetListener(nullptr);
  ::shutdown(listen_fd_, SHUT_RDWR);
  accept_thread_.join();
  ::close(listen_fd_);
  listen_fd_ = -1;
  ::unlink(path_.c_str());
  std::lock_guard lock(clients_mutex_);
  for (Client& client : clients_) {
    client.connection->Shutdown();
    // A read waiting for input ends now instead of with its slice.
    std::lock_guard session_lock(client.session.mutex);
    if (client.session.handle) client.session.handle->InterruptRead();
  }
  for (Client& client : clients_) client.thread.join();
  clients_.clear();
  std::lock_guard subscribers_lock(subscribers_mutex_);
  subscribers_.clear();
}

void SocketServer::AcceptLoop() {
  for (;;) {
    const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;
    }
    ReapFinished();
    std::lock_guard lock(clients_mutex_);
    Client& client = clients_.emplace_back();
    client.connection = std::make_shared<wire::Connection>(fd);
    client.thread = std::thread([this, &client] { Serve(client); });
  }
}

void SocketServer::ReapFinished() {
  std::lock_guard lock(clients_mutex_);
  for (auto it = clients_.begin(); it != clients_.end();) {
    if (it->done) {
      it->thread.join();
      it = clients_.erase(it);
    } else {
      ++it;
    }
  }
}

void SocketServer::Serve(Client& client) {
  while (std::optional<wire::Message> request = client.connection->Receive()) {
    if (request->type == wire::kSubscribe) {
      // An empty message acknowledges the subscription before any event, so
      // the subscriber knows from when on it hears every plug and unplug.
      std::lock_guard lock(subscribers_mutex_);
      if (client.connection->Send(wire::kSubscribe | wire::kReply, {})) subscribers_.push_back(client.connection);
      client.done = true;
      return;
    }
    const std::optional<std::vector<std::uint8_t>> reply = Answer(client, *request);
    if (!reply || !client.connection->Send(request->type | wire::kReply, *reply)) break;
  }
  // The peer learns at once that its connection is over.
  client.connection->Shutdown();
  {
    std::lock_guard lock(client.session.mutex);
    client.session.handle.reset();
  }
  client.done = true;
}

void SocketServer::Broadcast(const HotplugEvent& event) {
  const std::vector<std::uint8_t> body = Writer().U8(event.arrival ? 1 : 0).Text(event.path).Take();
  std::lock_guard lock(subscribers_mutex_);
  subscribers_.remove_if([&](const std::shared_ptr<wire::Connection>& subscriber) {
    return !subscriber->Send(wire::kSubscribe | wire::kReply, body);
  });
}

}  // namespace korvane::sim
