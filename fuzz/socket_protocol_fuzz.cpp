// The virtual mouse's socket protocol as a client or server reads it: the
// bytes arrive on a socket and are taken apart into framed messages, and
// every message body is read with each field reader.
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sim/socket_protocol.hpp"

namespace wire = korvane::sim::wire;

namespace {

void ReadFields(const std::vector<std::uint8_t>& body) {
  wire::Reader interface(body);
  interface.Interface();
  wire::Reader text(body);
  text.Text();
  text.Bytes();
  wire::Reader numbers(body);
  while (numbers.ok()) numbers.U32();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) return 0;
  // The socket buffer holds a fuzz input whole; the writer's end closes, so
  // the reader meets the end of the stream after the bytes.
  const ssize_t written = write(ends[0], data, size);
  close(ends[0]);
  if (written == static_cast<ssize_t>(size)) {
    wire::Connection connection(ends[1]);
    while (const std::optional<wire::Message> message = connection.Receive(0)) ReadFields(message->body);
  } else {
    close(ends[1]);
  }
  ReadFields(std::vector<std::uint8_t>(data, data + size));
  return 0;
}
