#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace korvane {

// One running instance per user and caption. The first instance holds a lock
// file and listens on a Unix socket beside it, both in the per-user runtime
// folder; a second start finds the lock taken, asks the first instance over
// the socket to show its window, and exits.
class SingleInstance final {
 public:
  enum class Role {
    First,   // this process is the running instance
    Second,  // another instance runs; it has been asked to show itself
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

  // File descriptor that becomes readable when another start asked this
  // instance to show itself; -1 for a second instance. Front ends watch it.
  int ActivationFd() const { return listen_fd_; }

  // Accepts the pending requests; true when at least one asked to be shown.
  bool TakeActivationRequests();

 private:
  Role role_ = Role::Second;
  int lock_fd_ = -1;
  int listen_fd_ = -1;
  std::filesystem::path socket_path_;
};

}  // namespace korvane
