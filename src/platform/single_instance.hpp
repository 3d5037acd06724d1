#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace korvane {

// One running instance per user and caption. The first instance holds a lock
// file and listens on a Unix socket beside it, both in the per-user runtime
// folder; a second start finds the lock taken, asks the first instance over
// the socket to show its window, and exits. The first instance takes the
// requests on a thread of its own, so a client that connects and sends
// nothing never holds up the user interface.
class SingleInstance final {
 public:
  enum class Role {
    First,   // this process is the running instance
    Second,  // another instance runs; it has been asked to show itself
    Failed,  // the lock could not be taken; problem() says why
  };

  // $XDG_RUNTIME_DIR, else "korvane-<uid>" in the system's temporary
  // folder, created user-only. nullopt, with the reason in problem, when that
  // folder is not ours alone: another local user could have made it first
  // and would then hold our locks.
  static std::optional<std::filesystem::path> RuntimeFolder(std::string& problem);
  // Why a runtime folder is not safe for the user `owner`: not a folder (a
  // link included), owned by someone else, or open to others (mode not
  // 0700). nullopt when it is safe.
  static std::optional<std::string> UnsafeRuntimeFolder(const std::filesystem::path& folder, unsigned owner);

  SingleInstance(const std::string& caption, const std::filesystem::path& runtime_folder);
  ~SingleInstance();

  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  Role role() const { return role_; }
  const std::string& problem() const { return problem_; }

  // File descriptor that becomes readable when another start asked this
  // instance to show itself; -1 unless this is the first instance listening.
  // Front ends watch it.
  int ActivationFd() const { return requests_fd_; }

  // Takes the requests that came in; true when at least one asked to be
  // shown. Never waits.
  bool TakeActivationRequests();

 private:
  void Listen();
  void ServeRequests();

  Role role_ = Role::Second;
  std::string problem_;
  int lock_fd_ = -1;
  int listen_fd_ = -1;
  int requests_fd_ = -1;  // eventfd: counts "show" requests
  int stop_fd_ = -1;      // eventfd: ends the request thread
  std::thread requests_thread_;
  std::filesystem::path socket_path_;
};

}  // namespace korvane
