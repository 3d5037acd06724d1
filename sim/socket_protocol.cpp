#include "sim/socket_protocol.hpp"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

namespace korvane::sim::wire {

Writer& Writer::U8(std::uint8_t v) {
  out_.push_back(v);
  return *this;
}

Writer& Writer::U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }

Writer& Writer::U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }

Writer& Writer::Bytes(std::span<const std::uint8_t> bytes) {
  U32(static_cast<std::uint32_t>(bytes.size()));
  out_.insert(out_.end(), bytes.begin(), bytes.end());
  return *this;
}

Writer& Writer::Text(const std::string& text) {
  return Bytes(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Writer& Writer::Interface(const HidInterfaceInfo& info) {
  return Text(info.path)
      .U16(info.vendor_id)
      .U16(info.product_id)
      .U16(info.release_number)
      .U16(info.usage_page)
      .U16(info.usage)
      .I32(info.interface_number);
}

bool Reader::Take(std::size_t n) {
  if (!ok_ || in_.size() - pos_ < n) {
    ok_ = false;
    return false;
  }
  return true;
}

std::uint8_t Reader::U8() { return Take(1) ? in_[pos_++] : 0; }

std::uint16_t Reader::U16() {
  const std::uint16_t lo = U8();
  return static_cast<std::uint16_t>(lo | (U8() << 8));
}

std::uint32_t Reader::U32() {
  const std::uint32_t lo = U16();
  return lo | (static_cast<std::uint32_t>(U16()) << 16);
}

std::vector<std::uint8_t> Reader::Bytes() {
  const std::uint32_t n = U32();
  if (!Take(n)) return {};
  std::vector<std::uint8_t> out(in_.begin() + pos_, in_.begin() + pos_ + n);
  pos_ += n;
  return out;
}

std::string Reader::Text() {
  const std::vector<std::uint8_t> bytes = Bytes();
  return std::string(bytes.begin(), bytes.end());
}

HidInterfaceInfo Reader::Interface() {
  HidInterfaceInfo info;
  info.path = Text();
  info.vendor_id = U16();
  info.product_id = U16();
  info.release_number = U16();
  info.usage_page = U16();
  info.usage = U16();
  info.interface_number = I32();
  return info;
}

namespace {

bool SendAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// A frame that has begun arrives whole within this time, or the peer is
// taken to be stuck.
constexpr auto kFrameTime = std::chrono::seconds(5);

bool ReceiveAll(int fd, std::uint8_t* data, std::size_t size, std::chrono::steady_clock::time_point deadline) {
  while (size > 0) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd watch{fd, POLLIN, 0};
    const int ready = ::poll(&watch, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t n = ::recv(fd, data, size, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

Connection::~Connection() { ::close(fd_); }

std::unique_ptr<Connection> Connection::Connect(const std::string& path, std::string* error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    if (error) *error = "socket path is empty or too long: " + path;
    return nullptr;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    if (error) *error = "cannot connect to " + path + ": " + std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return nullptr;
  }
  return std::make_unique<Connection>(fd);
}

bool Connection::Send(std::uint8_t type, std::span<const std::uint8_t> body) {
  std::vector<std::uint8_t> frame = Writer().U32(static_cast<std::uint32_t>(body.size() + 1)).U8(type).Take();
  frame.insert(frame.end(), body.begin(), body.end());
  return SendAll(fd_, frame.data(), frame.size());
}

std::optional<Message> Connection::Receive(int timeout_ms) {
  if (WaitReadable(-1, timeout_ms) == Ready::kTimeout) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + kFrameTime;
  std::uint8_t header[4];
  if (!ReceiveAll(fd_, header, sizeof header, deadline)) return std::nullopt;
  const std::uint32_t length = Reader(header).U32();
  if (length == 0 || length > kMaxFrame) return std::nullopt;
  std::vector<std::uint8_t> frame(length);
  if (!ReceiveAll(fd_, frame.data(), frame.size(), deadline)) return std::nullopt;
  return Message{frame[0], std::vector<std::uint8_t>(frame.begin() + 1, frame.end())};
}

std::optional<Message> Connection::Call(std::uint8_t type, std::span<const std::uint8_t> body) {
  if (!Send(type, body)) return std::nullopt;
  std::optional<Message> reply = Receive(kReplyTimeoutMs);
  if (!reply) {
    // A reply that comes late would be taken for the next call's.
    Shutdown();
    return std::nullopt;
  }
  if (reply->type != (type | kReply)) return std::nullopt;
  return reply;
}

void Connection::Shutdown() { ::shutdown(fd_, SHUT_RDWR); }

bool Connection::Ended() const {
  pollfd watch{fd_, POLLRDHUP, 0};
  return ::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0;
}

Connection::Ready Connection::WaitReadable(int other_fd, int timeout_ms) const {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
  for (;;) {
    pollfd watch[2] = {{fd_, POLLIN, 0}, {other_fd, POLLIN, 0}};
    int wait_ms = -1;
    if (timeout_ms >= 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      wait_ms = static_cast<int>(std::max<long long>(left, 0));
    }
    const int ready = ::poll(watch, 2, wait_ms);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || watch[0].revents != 0) return Ready::kMessage;  // Receive then sees what is wrong
    if (watch[1].revents != 0) return Ready::kOther;
    if (ready == 0) return Ready::kTimeout;
  }
}

}  // namespace korvane::sim::wire
