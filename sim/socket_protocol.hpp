#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_transport.hpp"

namespace korvane::sim {

// The virtual mouse's socket protocol (described in sim/README.md). Every
// message is a frame: a 32-bit little-endian length, then that many bytes:
// a type byte and the body. Replies carry the request's type | 0x80.
namespace wire {

enum Type : std::uint8_t {
  kEnumerate = 0x01,  // -> count, interfaces
  kProbe = 0x02,      // path -> found, interface
  kOpen = 0x03,       // path -> opened, output report length; binds the connection to that interface
  kWrite = 0x04,      // bytes -> result
  kRead = 0x05,       // max bytes, timeout -> result, bytes
  kProduct = 0x06,    // -> text
  kControl = 0x07,    // device, words -> ok, text
  kSubscribe = 0x08,  // -> a hot-plug event frame for every arrival and removal
  kReply = 0x80,
};

inline constexpr std::size_t kMaxFrame = 1 << 20;
// The server waits at most this long in one read with a timeout; clients
// loop for longer.
inline constexpr int kMaxReadSliceMs = 1000;
// A read with this timeout is answered only when input arrives (or the
// device is gone).
inline constexpr int kReadUntilInput = -1;

struct Message {
  std::uint8_t type = 0;
  std::vector<std::uint8_t> body;
};

// Builds a body: integers little-endian; strings and byte strings as a
// 32-bit length and the bytes.
class Writer {
 public:
  Writer& U8(std::uint8_t v);
  Writer& U16(std::uint16_t v);
  Writer& U32(std::uint32_t v);
  Writer& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
  Writer& Bytes(std::span<const std::uint8_t> bytes);
  Writer& Text(const std::string& text);
  Writer& Interface(const HidInterfaceInfo& info);
  std::vector<std::uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<std::uint8_t> out_;
};

// Reads a body; after the first read past the end every value is empty and
// ok() is false.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::vector<std::uint8_t> Bytes();
  std::string Text();
  HidInterfaceInfo Interface();
  bool ok() const { return ok_; }

 private:
  bool Take(std::size_t n);
  std::span<const std::uint8_t> in_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// One connected stream socket; closes it when destroyed.
class Connection {
 public:
  explicit Connection(int fd) : fd_(fd) {}
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Connects to a Unix socket; nullptr with error set when it cannot.
  static std::unique_ptr<Connection> Connect(const std::string& path, std::string* error = nullptr);

  bool Send(std::uint8_t type, std::span<const std::uint8_t> body);
  // Waits up to timeout_ms (< 0: no limit) for a message to begin; a begun
  // message must arrive whole within a few seconds. nullopt on timeout, when
  // the peer closed the socket or sent a malformed frame.
  std::optional<Message> Receive(int timeout_ms = -1);
  // Sends a request and waits up to kReplyTimeoutMs for its reply; nullopt
  // on any failure or a reply of the wrong type. A peer that does not answer
  // in time (a stopped server) ends the connection.
  std::optional<Message> Call(std::uint8_t type, std::span<const std::uint8_t> body);
  static constexpr int kReplyTimeoutMs = 5000;
  // Ends the connection for both sides; a blocked Receive returns.
  void Shutdown();
  // Whether the peer has closed its end or the connection was shut down;
  // does not wait.
  bool Ended() const;

  enum class Ready { kMessage, kOther, kTimeout };
  // Waits until a message (or the end of the connection) can be received,
  // or the other descriptor is readable, or timeout_ms pass (< 0: no limit).
  Ready WaitReadable(int other_fd, int timeout_ms) const;

 private:
  int fd_;
};

}  // namespace wire

// The answer of a control command.
struct ControlResult {
  bool ok = false;
  std::string text;
};

}  // namespace korvane::sim
