#pragma once

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/virtual_bus.hpp"

namespace korvane::sim {

namespace wire {
class Connection;
struct Message;
}  // namespace wire

// Serves a virtual bus on a Unix socket, one thread per client connection,
// so the program, its command-line tools and ctl can use it at once. A
// client that disconnects, even in the middle of a request, only ends its
// own connection and closes the handle it had open.
class SocketServer final {
 public:
  explicit SocketServer(VirtualBus& bus);
  ~SocketServer();
  SocketServer(const SocketServer&) = delete;
  SocketServer& operator=(const SocketServer&) = delete;

  // Binds and listens, replacing a stale socket file, and starts accepting.
  // False with error set when the path is served already or cannot be bound.
  bool Start(const std::string& path, std::string* error);
  // Stops accepting, ends every connection, waits for their threads and
  // removes the socket file.
  void Stop();

 private:
  // What one connection has open: at most one interface at a time. The
  // lock guards replacing the handle against Stop interrupting its read.
  struct Session {
    std::mutex mutex;
    std::unique_ptr<HidHandle> handle;
  };
  struct Client {
    std::shared_ptr<wire::Connection> connection;
    Session session;
    std::thread thread;
    std::atomic<bool> done{false};
  };

  void AcceptLoop();
  void Serve(Client& client);
  std::optional<std::vector<std::uint8_t>> Answer(Client& client, const wire::Message& request);
  void Broadcast(const HotplugEvent& event);
  void ReapFinished();

  VirtualBus& bus_;
  std::string path_;
  int listen_fd_ = -1;
  std::thread accept_thread_;
  std::mutex clients_mutex_;
  std::list<Client> clients_;
  std::mutex subscribers_mutex_;
  std::list<std::shared_ptr<wire::Connection>> subscribers_;
};

}  // namespace korvane::sim
