#include "sim/socket_client.hpp"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <mutex>

namespace korvane::sim {

namespace {

using wire::Reader;
using wire::Writer;

// An open interface over two connections, each with its own handle on the
// server: one only reads, the other writes and asks for the product string.
// Reading and writing may then run on two threads at once (a reader thread
// waiting for input while the worker writes) without their requests and
// answers interleaving on one connection. Input reaches both server handles,
// as it reaches every open handle; the writer's copy is never read.
//
// The reader keeps one read request open on the server until input answers
// it; a Read that times out or is interrupted leaves it open for the next
// Read. The client waits in poll() on its socket and an eventfd that
// InterruptRead signals, so a silent device costs the client no wake-up and
// a blocked Read still ends at once on request.
class SocketHandle final : public HidHandle {
 public:
  SocketHandle(std::unique_ptr<wire::Connection> reader, std::unique_ptr<wire::Connection> writer,
               std::size_t output_length, int interrupt)
      : connection_(std::move(reader)),
        writer_(std::move(writer)),
        output_length_(output_length),
        interrupt_(interrupt) {}
  ~SocketHandle() override { ::close(interrupt_); }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;

  int Write(std::span<const std::uint8_t> report) override {
    std::lock_guard lock(writer_mutex_);
    const auto reply = writer_->Call(wire::kWrite, Writer().Bytes(report).Take());
    return reply ? Reader(reply->body).I32() : -1;
  }

  int Read(std::span<std::uint8_t> buffer, int timeout_ms) override {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
      if (!read_open_) {
        const auto request = Writer().U32(kLongestInput).I32(wire::kReadUntilInput).Take();
        if (!connection_->Send(wire::kRead, request)) return -1;
        read_open_ = true;
      }
      int wait_ms = -1;
      if (timeout_ms >= 0) {
        // Rounded up, so the last fraction of a millisecond is waited for
        // instead of polled.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        wait_ms = static_cast<int>(std::max<long long>(left, 0));
      }
      switch (connection_->WaitReadable(interrupt_, wait_ms)) {
        case wire::Connection::Ready::kTimeout:
          return 0;
        case wire::Connection::Ready::kOther: {
          std::uint64_t count = 0;
          [[maybe_unused]] const ssize_t taken = ::read(interrupt_, &count, sizeof count);
          return 0;
        }
        case wire::Connection::Ready::kMessage:
          break;
      }
      read_open_ = false;
      const auto reply = connection_->Receive();
      if (!reply || reply->type != (wire::kRead | wire::kReply)) return -1;
      Reader in(reply->body);
      const int result = in.I32();
      const std::vector<std::uint8_t> data = in.Bytes();
      if (!in.ok() || result < 0) return -1;
      if (result > 0) {
        // As hidraw does, a report longer than the buffer is cut to it.
        const std::size_t n = std::min(data.size(), buffer.size());
        std::copy_n(data.begin(), n, buffer.begin());
        return static_cast<int>(n);
      }
    }
  }

  void InterruptRead() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(interrupt_, &one, sizeof one);
  }

  std::string ProductString() override {
    std::lock_guard lock(writer_mutex_);
    const auto reply = writer_->Call(wire::kProduct, {});
    return reply ? Reader(reply->body).Text() : std::string();
  }

  std::size_t OutputReportLength() const override { return output_length_; }

 private:
  // The most a read request asks for: more than any HID input report here.
  static constexpr std::uint32_t kLongestInput = 4096;

  std::unique_ptr<wire::Connection> connection_;
  bool read_open_ = false;
  std::mutex writer_mutex_;
  std::unique_ptr<wire::Connection> writer_;
  const std::size_t output_length_;
  const int interrupt_;
};

// A connection bound to the interface at path, with the interface's output
// report length; nullptr when the server does not open it.
std::unique_ptr<wire::Connection> OpenOn(const std::string& socket_path, const std::string& path,
                                         std::size_t& output_length) {
  auto connection = wire::Connection::Connect(socket_path);
  if (!connection) return nullptr;
  const auto reply = connection->Call(wire::kOpen, Writer().Text(path).Take());
  if (!reply) return nullptr;
  Reader in(reply->body);
  const bool opened = in.U8() == 1;
  output_length = in.U16();
  return opened && in.ok() ? std::move(connection) : nullptr;
}

std::optional<wire::Message> CallOnce(const std::string& socket_path, std::uint8_t type,
                                      const std::vector<std::uint8_t>& body, std::string* error = nullptr) {
  const auto connection = wire::Connection::Connect(socket_path, error);
  if (!connection) return std::nullopt;
  auto reply = connection->Call(type, body);
  if (!reply && error) *error = "no answer from " + socket_path;
  return reply;
}

}  // namespace

SocketTransport::SocketTransport(std::string socket_path) : socket_path_(std::move(socket_path)) {}

std::vector<HidInterfaceInfo> SocketTransport::Enumerate() {
  std::vector<HidInterfaceInfo> list;
  const auto reply = CallOnce(socket_path_, wire::kEnumerate, {});
  if (!reply) return list;
  Reader in(reply->body);
  const std::uint32_t count = in.U32();
  for (std::uint32_t i = 0; i < count && in.ok(); ++i) list.push_back(in.Interface());
  if (!in.ok()) list.clear();
  return list;
}

std::optional<HidInterfaceInfo> SocketTransport::Probe(const std::string& path) {
  const auto reply = CallOnce(socket_path_, wire::kProbe, Writer().Text(path).Take());
  if (!reply) return std::nullopt;
  Reader in(reply->body);
  if (in.U8() != 1) return std::nullopt;
  HidInterfaceInfo info = in.Interface();
  return in.ok() ? std::optional(info) : std::nullopt;
}

std::unique_ptr<HidHandle> SocketTransport::Open(const std::string& path) {
  // The reader opens first, so it receives every answer to the writer.
  std::size_t output_length = 0;
  auto reader = OpenOn(socket_path_, path, output_length);
  auto writer = reader ? OpenOn(socket_path_, path, output_length) : nullptr;
  if (!writer) return nullptr;
  const int interrupt = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (interrupt < 0) return nullptr;
  return std::make_unique<SocketHandle>(std::move(reader), std::move(writer), output_length, interrupt);
}

void SocketTransport::SetListener(Listener listener) {
  {
    std::lock_guard lock(listener_mutex_);
    listener_ = std::move(listener);
    if (!listener_) return;
  }
  std::lock_guard lock(mutex_);
  if (events_) return;
  std::shared_ptr<wire::Connection> events = wire::Connection::Connect(socket_path_);
  if (!events || !events->Send(wire::kSubscribe, {})) return;
  // Events flow only after the server's acknowledgement; waiting for it
  // means no plug or unplug after this call is missed.
  const auto acknowledged = events->Receive(wire::Connection::kReplyTimeoutMs);
  if (!acknowledged || !acknowledged->body.empty()) return;
  events_ = events;
  events_thread_ = std::thread([this, events] {
    while (const auto message = events->Receive()) {
      Reader in(message->body);
      HotplugEvent event;
      event.arrival = in.U8() == 1;
      event.path = in.Text();
      if (!in.ok()) break;
      std::lock_guard lock(listener_mutex_);
      if (listener_) listener_(event);
    }
  });
}

SocketTransport::~SocketTransport() {
  std::shared_ptr<wire::Connection> events;
  {
    std::lock_guard lock(mutex_);
    events = events_;
  }
  if (!events) return;
  events->Shutdown();
  events_thread_.join();
}

std::optional<ControlResult> SendControl(const std::string& socket_path, const std::string& device,
                                         const std::vector<std::string>& words, std::string* error) {
  Writer body;
  body.Text(device).U32(static_cast<std::uint32_t>(words.size()));
  for (const std::string& word : words) body.Text(word);
  const auto reply = CallOnce(socket_path, wire::kControl, body.Take(), error);
  if (!reply) return std::nullopt;
  Reader in(reply->body);
  ControlResult result;
  result.ok = in.U8() == 1;
  result.text = in.Text();
  if (!in.ok()) {
    if (error) *error = "malformed answer from " + socket_path;
    return std::nullopt;
  }
  return result;
}

}  // namespace korvane::sim
