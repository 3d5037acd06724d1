#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "device/report_format.hpp"
#include "sim/mouse_state.hpp"

namespace korvane::sim::test {

using Bytes = std::vector<std::uint8_t>;

// "02 00 01" -> {0x02, 0x00, 0x01}.
inline Bytes Hex(const std::string& text) {
  Bytes out;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) out.push_back(static_cast<std::uint8_t>(std::stoul(pair, nullptr, 16)));
  return out;
}

inline std::string ToHex(const Bytes& bytes) {
  std::string out;
  char part[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(part, sizeof part, out.empty() ? "%02X" : " %02X", b);
    out += part;
  }
  return out;
}

// A request frame as the host writes it: report id 0, then the given bytes
// from byte 1 on (command, 00, sequence, length, payload), zero-filled to
// `size` bytes (the full output report unless a test says otherwise), with
// the checksum the test writes out in byte 32 (the low byte of the sum of
// bytes 5..31), never one the code under test computes.
inline Bytes Frame(const Bytes& from_command, std::uint8_t checksum, std::size_t size = report::kPacketSize) {
  Bytes frame(size, 0);
  std::copy(from_command.begin(), from_command.end(), frame.begin() + 1);
  if (frame.size() > report::kChecksumByte) frame[report::kChecksumByte] = checksum;
  return frame;
}

inline Bytes Frame(const std::string& from_command, std::uint8_t checksum, std::size_t size = report::kPacketSize) {
  return Frame(Hex(from_command), checksum, size);
}

// For frames a test builds in a loop: the payload bytes (from byte 5 of the
// frame, byte 4 of from_command) added up by the test itself.
inline std::uint8_t PayloadSum(const Bytes& from_command) {
  unsigned sum = 0;
  for (std::size_t i = 4; i < from_command.size() && i < 31; ++i) sum += from_command[i];
  return static_cast<std::uint8_t>(sum);
}

// A wired Arc 8K as it leaves the factory, written out by hand so the
// firmware tables do not depend on the shipped files.
inline MouseState FactoryWiredMouse() {
  MouseState s;
  s.identity.dev_id = {'A', '8', '0', '1'};
  s.identity.sensor_id = 150;
  s.identity.rate_capability = 0x40;
  Settings& f = s.factory;
  f.report_rate = 1;
  f.dpi_count = 6;
  f.dpi_index = 1;
  f.dpi_codes = {7, 15, 31, 63, 95, 159};
  f.dpi_colours = {{{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {255, 255, 0}, {255, 0, 255}, {0, 255, 255}}};
  f.lighting = {
      1, 4, 2, {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 255, 255}, {255, 255, 0}, {255, 0, 255}, {255, 255, 255}}}};
  f.sensor_options = {0, 1};
  f.buttons = Bytes(kButtonTableBytes, 0);
  s.settings = f;
  s.battery_a = 90;
  s.battery_b = 1;
  return s;
}

inline MouseState FactoryReceiver(bool linked) {
  MouseState s = FactoryWiredMouse();
  s.identity.receiver = true;
  s.identity.receiver_version = {1, 0x05};
  s.linked = linked;
  return s;
}

}  // namespace korvane::sim::test
