#include "device/hidraw_handle.hpp"

#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "device/report_descriptor.hpp"
#include "device/report_format.hpp"

namespace korvane {

namespace {

// The output report length the node's report descriptor declares; nullopt
// when the descriptor cannot be read (not a hidraw node) or has no output
// report.
std::optional<std::size_t> DescribedOutputLength(int fd) {
  int size = 0;
  if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size <= 0) return std::nullopt;
  hidraw_report_descriptor descriptor{};
  descriptor.size = static_cast<std::uint32_t>(std::min(size, HID_MAX_DESCRIPTOR_SIZE));
  if (::ioctl(fd, HIDIOCGRDESC, &descriptor) < 0) return std::nullopt;
  return korvane::OutputReportLength(std::span(descriptor.value, descriptor.size));
}

}  // namespace

std::unique_ptr<HidrawHandle> HidrawHandle::Adopt(int fd, std::string product) {
  // A semaphore: each interrupt ends exactly one read.
  const int interrupt = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK | EFD_SEMAPHORE);
  if (interrupt < 0) {
    ::close(fd);
    return nullptr;
  }
  const std::size_t output_length = DescribedOutputLength(fd).value_or(report::kPacketSize);
  return std::unique_ptr<HidrawHandle>(new HidrawHandle(fd, interrupt, std::move(product), output_length));
}

HidrawHandle::HidrawHandle(int fd, int interrupt, std::string product, std::size_t output_length)
    : fd_(fd), interrupt_(interrupt), product_(std::move(product)), output_length_(output_length) {}

HidrawHandle::~HidrawHandle() {
  ::close(interrupt_);
  ::close(fd_);
}

int HidrawHandle::Write(std::span<const std::uint8_t> report) {
  for (;;) {
    const ssize_t written = ::write(fd_, report.data(), report.size());
    if (written >= 0) return static_cast<int>(written);
    if (errno != EINTR) return -1;
  }
}

int HidrawHandle::Read(std::span<std::uint8_t> buffer, int timeout_ms) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
  for (;;) {
    int wait_ms = -1;
    if (timeout_ms >= 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      wait_ms = static_cast<int>(std::max<long long>(left, 0));
    }
    pollfd watched[2] = {{fd_, POLLIN, 0}, {interrupt_, POLLIN, 0}};
    const int ready = ::poll(watched, 2, wait_ms);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (ready == 0) return 0;
    if (watched[1].revents & POLLIN) {
      std::uint64_t one = 0;
      [[maybe_unused]] const ssize_t taken = ::read(interrupt_, &one, sizeof one);
      return 0;
    }
    if (watched[0].revents & POLLIN) {
      // hidraw hands out one report per read, cut to the buffer.
      const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
      if (n > 0) return static_cast<int>(n);
      if (n < 0 && errno == EINTR) continue;
      return -1;  // the node is gone
    }
    return -1;  // POLLERR, POLLHUP or POLLNVAL: the node is gone
  }
}

void HidrawHandle::InterruptRead() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(interrupt_, &one, sizeof one);
}

}  // namespace korvane
