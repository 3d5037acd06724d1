#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace korvane::sim {

inline constexpr int kDpiLevels = 6;
inline constexpr int kLightColours = 7;
// The button table arrives in the payload area of one short report.
inline constexpr std::size_t kButtonTableBytes = 27;
// The oldest entries of the command log are dropped beyond this many, so a
// long-running virtual mouse keeps bounded memory.
inline constexpr std::size_t kMaxLogEntries = 10000;

using Colour = std::array<std::uint8_t, 3>;  // R, G, B

struct Lighting {
  std::uint8_t mode = 1;
  std::uint8_t brightness = 4;
  std::uint8_t speed = 2;
  std::array<Colour, kLightColours> colours{};
  bool operator==(const Lighting&) const = default;
};

// What the mouse keeps in its own memory.
struct Settings {
  std::uint8_t report_rate = 1;
  std::uint8_t dpi_count = 1;
  std::uint8_t dpi_index = 0;
  std::array<std::uint16_t, kDpiLevels> dpi_codes{};
  std::array<Colour, kDpiLevels> dpi_colours{};
  std::uint8_t liftoff = 1;
  std::array<std::uint8_t, 2> sensor_options{};
  std::uint8_t sleep = 30;
  std::uint8_t wake = 1;
  std::uint8_t lightoff = 0;
  std::uint8_t response = 8;
  Lighting lighting;
  std::vector<std::uint8_t> buttons;
  std::map<int, std::vector<std::uint8_t>> macros;  // by button (key code)
  bool operator==(const Settings&) const = default;
};

// What the device says about itself in its device information.
struct Identity {
  std::array<char, 4> dev_id{'0', '0', '0', '0'};
  std::uint8_t sensor_id = 0;
  std::uint8_t rate_capability = 0;
  bool receiver = false;
  std::array<std::uint8_t, 2> receiver_version{};  // major, minor
};

// A macro stream that arrives in several packets.
struct MacroAssembly {
  bool active = false;
  int next_index = 0;
  int packet_count = 0;
  std::vector<std::uint8_t> bytes;
};

struct LoggedCommand {
  std::uint8_t command = 0;
  std::uint8_t sequence = 0;
  std::uint8_t length = 0;
  std::vector<std::uint8_t> payload;
};

// The firmware-update loader behind the update interface.
struct UpdateState {
  bool started = false;
  bool finished = false;
  std::vector<std::uint8_t> image;
  std::size_t packets = 0;
  std::size_t crc_errors = 0;
};

// Everything one virtual device holds. Plain data: the firmware functions
// change it, the virtual bus owns it and serialises access.
struct MouseState {
  Identity identity;
  Settings settings;
  Settings factory;    // restored by the factory-reset command
  bool linked = true;  // a receiver's mouse is linked; always true when wired
  bool plugged = true;
  std::uint8_t battery_a = 0;
  std::uint8_t battery_b = 0;
  MacroAssembly macro;
  std::deque<LoggedCommand> log;
  UpdateState update;
};

}  // namespace korvane::sim
