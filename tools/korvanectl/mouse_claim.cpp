#include "mouse_claim.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "cli_options.hpp"
#include "common/text.hpp"

namespace korvane::cli {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a holder that steps aside is given before the wait is announced:
// it stops its worker (up to a second inside a long exchange) and closes the
// mouse.
constexpr auto kStepAsideWait = std::chrono::seconds(3);
// A holder that has just taken the lock may not have written its note yet.
constexpr auto kNoteWait = milliseconds(300);
// How often a waiting command looks at the note again (and asks again).
constexpr auto kRecheck = milliseconds(250);
// The note's lock is taken for an instant by every reader.
constexpr auto kNoteLockWait = milliseconds(500);
constexpr std::size_t kMaxCommandLength = 200;

constexpr const char* kStepsAside = "steps-aside";

// Text of the note as it may be shown: printable ASCII, bounded, so a
// damaged note cannot reach the terminal as control bytes.
std::string Printable(const std::string& text) {
  std::string out = text.substr(0, kMaxCommandLength);
  for (char& c : out) {
    if (c < 0x20 || c > 0x7E) c = '?';
  }
  return out;
}

std::filesystem::path Beside(const std::filesystem::path& lock, const char* extension) {
  std::filesystem::path path = lock;
  return path.replace_extension(extension);
}

}  // namespace

MouseClaim::MouseClaim(const std::filesystem::path& lock, std::string command, bool steps_aside)
    : lock_path_(lock),
      note_path_(Beside(lock, ".holder")),
      wait_path_(Beside(lock, ".wait")),
      command_(std::move(command)),
      steps_aside_(steps_aside) {}

MouseClaim::~MouseClaim() { Release(); }

std::unique_ptr<MouseClaim> MouseClaim::Take(const std::filesystem::path& runtime_folder, const std::string& caption,
                                             const std::string& command, bool steps_aside,
                                             std::optional<Failure>& failure) {
  std::unique_ptr<MouseClaim> claim(new MouseClaim(DeviceLockPath(runtime_folder, caption), command, steps_aside));
  claim->device_ = std::make_unique<FileLock>(claim->lock_path_);
  if (!claim->device_->Usable()) {
    failure = Failure("cannot open the device lock " + claim->lock_path_.string(), ExitCode::kFile);
    return nullptr;
  }
  if (!claim->device_->TryLock() && !claim->WaitForHolder(failure)) {
    claim->device_.reset();
    return nullptr;
  }
  claim->WriteNote();
  return claim;
}

bool MouseClaim::WaitForHolder(std::optional<Failure>& failure) {
  // Held until this command has the mouse, so that a holder that stepped
  // aside does not take it back first. The holder's look at it holds it for
  // an instant only, so the wait here is short.
  const int wait_fd = ::open(wait_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (wait_fd >= 0) ::flock(wait_fd, LOCK_SH);
  const auto start = Clock::now();
  const auto deadline = start + kDeviceLockWait;
  const std::string limit = std::to_string(kDeviceLockWait.count()) + " s";
  std::optional<Holder> holder;
  bool said = false;
  bool taken = false;
  while (!taken) {
    holder = ReadHolder(note_path_);
    if (holder && holder->steps_aside) ::kill(holder->pid, kStepAsideSignal);
    const auto quiet = !holder               ? Clock::duration(kNoteWait)
                       : holder->steps_aside ? Clock::duration(kStepAsideWait)
                                             : Clock::duration::zero();
    const auto now = Clock::now();
    if (!said && now - start >= quiet) {
      PrintError("waiting for the mouse, held by " + Describe(holder) + ", for up to " + limit);
      said = true;
    }
    if (now >= deadline) break;
    taken = device_->LockWithin(
        std::chrono::duration_cast<milliseconds>(std::min<Clock::duration>(kRecheck, deadline - now)));
  }
  if (wait_fd >= 0) ::close(wait_fd);
  if (!taken) {
    failure = Failure(
        "the mouse is still held by " + Describe(holder) + " after " + limit + "; try again when it has finished",
        ExitCode::kNoMouse);
  }
  return taken;
}

std::optional<MouseClaim::Holder> MouseClaim::ReadHolder(const std::filesystem::path& note) {
  if (!FileLock::HeldElsewhere(note)) return std::nullopt;
  std::ifstream in(note);
  std::string pid_text;
  std::string kind;
  std::string command;
  if (!std::getline(in, pid_text) || !std::getline(in, kind) || !std::getline(in, command)) return std::nullopt;
  const std::optional<int> pid = ParseDecimal(pid_text);
  if (!pid || *pid <= 1) return std::nullopt;
  return Holder{static_cast<pid_t>(*pid), kind == kStepsAside, Printable(command)};
}

std::string MouseClaim::Describe(const std::optional<Holder>& holder) {
  if (!holder) return "another program";
  return holder->command + " (process " + std::to_string(holder->pid) + ")";
}

bool MouseClaim::OthersWaiting() const {
  const int fd = ::open(wait_path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool waiting = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return waiting;
}

void MouseClaim::Release() {
  ClearNote();
  device_.reset();
}

bool MouseClaim::Retake() {
  if (device_) return true;
  if (OthersWaiting()) return false;
  auto device = std::make_unique<FileLock>(lock_path_);
  if (!device->TryLock()) return false;
  device_ = std::move(device);
  WriteNote();
  return true;
}

void MouseClaim::WriteNote() {
  note_lock_ = std::make_unique<FileLock>(note_path_);
  if (!note_lock_->LockWithin(kNoteLockWait)) {
    // Without its lock the note would not be believed; waiting commands
    // then name "another program".
    note_lock_.reset();
    return;
  }
  std::ofstream out(note_path_, std::ios::trunc);
  out << ::getpid() << '\n' << (steps_aside_ ? kStepsAside : "holds") << '\n' << command_ << '\n';
}

void MouseClaim::ClearNote() {
  if (!note_lock_) return;
  std::ofstream(note_path_, std::ios::trunc).close();
  note_lock_.reset();
}

}  // namespace korvane::cli
