#pragma once

#include <sys/types.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "exit_codes.hpp"
#include "platform/file_lock.hpp"

namespace korvane::cli {

// Sent by a command that wants the mouse to a holder that steps aside
// (korvanectl watch).
inline constexpr int kStepAsideSignal = SIGUSR1;

// The right to talk to the mouse. The desktop application and every
// korvanectl command take the same device lock. A korvanectl holder also
// leaves a note beside it: its process id, whether it steps aside, and its
// command. The note counts only while its holder keeps the note's own lock,
// so a note left by a killed process is never believed.
//
// A command that finds the mouse held holds the wait file (shared) until it
// has the mouse, asks a holder that steps aside to do so, and otherwise says
// whom it waits for; it gives up after kDeviceLockWait. A holder that steps
// aside sees the wait file held, lets go, and takes the mouse back only once
// nobody waits.
class MouseClaim final {
 public:
  struct Holder {
    pid_t pid = 0;
    bool steps_aside = false;
    std::string command;
  };

  // Takes the mouse for `command` (as the note names it), waiting for
  // another holder as above. nullptr with failure set when the mouse stays
  // held or the lock cannot be used.
  static std::unique_ptr<MouseClaim> Take(const std::filesystem::path& runtime_folder, const std::string& caption,
                                          const std::string& command, bool steps_aside,
                                          std::optional<Failure>& failure);
  ~MouseClaim();
  MouseClaim(const MouseClaim&) = delete;
  MouseClaim& operator=(const MouseClaim&) = delete;

  // Whether a command waits for the mouse now.
  bool OthersWaiting() const;
  // Lets go of the mouse.
  void Release();
  // Takes the mouse back without waiting: false while it is held elsewhere
  // or a command waits for it.
  bool Retake();

  // The live holder's note; nullopt when no korvanectl command holds the
  // mouse (nobody, or another program).
  static std::optional<Holder> ReadHolder(const std::filesystem::path& note);
  // "korvanectl dpi set (process 4242)", or "another program".
  static std::string Describe(const std::optional<Holder>& holder);

 private:
  MouseClaim(const std::filesystem::path& lock, std::string command, bool steps_aside);

  bool WaitForHolder(std::optional<Failure>& failure);
  void WriteNote();
  void ClearNote();

  std::filesystem::path lock_path_;
  std::filesystem::path note_path_;
  std::filesystem::path wait_path_;
  std::string command_;
  bool steps_aside_;
  std::unique_ptr<FileLock> device_;
  std::unique_ptr<FileLock> note_lock_;
};

}  // namespace korvane::cli
