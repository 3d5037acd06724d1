#include "sim/firmware.hpp"

#include <algorithm>

#include "device/report_format.hpp"

namespace korvane::sim {

namespace {

namespace rf = report;

// The header and payload area of a checked request frame.
struct Request {
  std::uint8_t command = 0;
  std::uint8_t sequence = 0;
  std::uint8_t length = 0;
  std::span<const std::uint8_t> payload;  // always the whole area, bytes 5..31
};

InputReport Answer(std::uint8_t command, std::uint8_t status, std::uint8_t sequence,
                   std::span<const std::uint8_t> data = {}) {
  InputReport out(kInputReportSize, 0);
  out[0] = command;
  out[1] = status;
  out[2] = sequence;
  const std::size_t n = std::min(data.size(), rf::kMaxPayload);
  out[3] = static_cast<std::uint8_t>(n);
  std::copy_n(data.begin(), n, out.begin() + rf::kAnswerData);
  unsigned sum = 0;
  for (std::size_t i = rf::kAnswerData; i + 1 < kInputReportSize; ++i) sum += out[i];
  out[kInputReportSize - 1] = static_cast<std::uint8_t>(sum & 0xFF);
  return out;
}

InputReport Ack(const Request& r) { return Answer(r.command, kAccepted, r.sequence); }
InputReport Reject(const Request& r) { return Answer(r.command, kRejected, r.sequence); }
InputReport Data(const Request& r, std::span<const std::uint8_t> data) {
  return Answer(r.command, kAccepted, r.sequence, data);
}

Colour ColourAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  return {bytes[at], bytes[at + 1], bytes[at + 2]};
}

void PutColour(std::vector<std::uint8_t>& out, const Colour& c) { out.insert(out.end(), c.begin(), c.end()); }

bool IsFlag(std::uint8_t value) { return value <= 1; }

// Rate codes 8, 4, 2, 1 (125 to 1000 Hz) work on every mouse; 16, 32 and 64
// (2000 to 8000 Hz) up to the mouse's highest code.
bool RateSupported(std::uint8_t code, std::uint8_t capability) {
  switch (code) {
    case 1:
    case 2:
    case 4:
    case 8:
      return true;
    case 16:
    case 32:
    case 64:
      return (capability == 0x10 || capability == 0x20 || capability == 0x40) && code <= capability;
    default:
      return false;
  }
}

InputReport WriteReportRate(MouseState& s, const Request& r) {
  if (!RateSupported(r.payload[0], s.identity.rate_capability)) return Reject(r);
  s.settings.report_rate = r.payload[0];
  return Ack(r);
}

InputReport WriteDpiLevels(MouseState& s, const Request& r) {
  const int count = r.payload[0] & 0x0F;
  const int index = r.payload[0] >> 4;
  if (count < 1 || count > kDpiLevels || index >= count) return Reject(r);
  s.settings.dpi_count = static_cast<std::uint8_t>(count);
  s.settings.dpi_index = static_cast<std::uint8_t>(index);
  for (int k = 0; k < kDpiLevels; ++k) {
    const std::size_t at = 1 + 4 * k;  // X low, X high, Y low, Y high
    s.settings.dpi_codes[k] = static_cast<std::uint16_t>(r.payload[at] | (r.payload[at + 1] << 8));
  }
  return Ack(r);
}

InputReport WriteDpiColours(MouseState& s, const Request& r) {
  for (int k = 0; k < kDpiLevels; ++k) s.settings.dpi_colours[k] = ColourAt(r.payload, 3 * k);
  return Ack(r);
}

InputReport WriteLighting(MouseState& s, const Request& r) {
  const std::uint8_t mode = r.payload[0];
  const std::uint8_t brightness = r.payload[1] >> 4;
  const std::uint8_t speed = r.payload[1] & 0x0F;
  if (r.length < 2 || mode > 5 || brightness > 4 || speed > 4) return Reject(r);
  Lighting lighting = s.settings.lighting;
  if (mode == 2) {
    const std::size_t colours = r.payload[2];
    if (colours > kLightColours || r.length < 3 + 3 * colours) return Reject(r);
    for (std::size_t k = 0; k < colours; ++k) lighting.colours[k] = ColourAt(r.payload, 3 + 3 * k);
  } else if (mode == 3) {
    if (r.length < 5) return Reject(r);
    lighting.colours[0] = ColourAt(r.payload, 2);
  }
  lighting.mode = mode;
  lighting.brightness = brightness;
  lighting.speed = speed;
  s.settings.lighting = lighting;
  return Ack(r);
}

InputReport WriteLiftOffSensor(MouseState& s, const Request& r) {
  const std::uint8_t liftoff = r.payload[0];
  if ((liftoff != 1 && liftoff != 2) || !IsFlag(r.payload[1]) || !IsFlag(r.payload[2])) return Reject(r);
  s.settings.liftoff = liftoff;
  s.settings.sensor_options = {r.payload[1], r.payload[2]};
  return Ack(r);
}

InputReport WritePower(MouseState& s, const Request& r) {
  if (!IsFlag(r.payload[1]) || !IsFlag(r.payload[2]) || r.payload[3] > 20) return Reject(r);
  s.settings.sleep = r.payload[0];
  s.settings.wake = r.payload[1];
  s.settings.lightoff = r.payload[2];
  s.settings.response = r.payload[3];
  return Ack(r);
}

// Packet i of n carries (i << 4) | n in its sequence byte. Packets must come
// in order, each but the last full; the first byte of the stream is the
// button the macro belongs to. Anything else drops the partial stream.
InputReport WriteMacroData(MouseState& s, const Request& r) {
  const int index = r.sequence >> 4;
  const int count = r.sequence & 0x0F;
  const bool last = index == count - 1;
  const bool length_ok = r.length >= 1 && r.length <= rf::kMaxPayload && (last || r.length == rf::kMaxPayload);
  const bool in_order = index == 0 || (s.macro.active && s.macro.packet_count == count && s.macro.next_index == index);
  if (count == 0 || index >= count || !length_ok || !in_order) {
    s.macro = {};
    return Reject(r);
  }
  if (index == 0) s.macro = {true, 0, count, {}};
  s.macro.bytes.insert(s.macro.bytes.end(), r.payload.begin(), r.payload.begin() + r.length);
  ++s.macro.next_index;
  if (last) {
    s.settings.macros[s.macro.bytes[0]] = std::move(s.macro.bytes);
    s.macro = {};
  }
  return Ack(r);
}

// The whole payload area is the table (entries 0 to 8): a single packet
// (sequence 1) whose length byte is always 0x0F, although it does not cover
// all of the table. Any other frame is refused.
InputReport WriteButtons(MouseState& s, const Request& r) {
  constexpr std::uint8_t kTableLength = 0x0F;
  if (r.sequence != 0x01 || r.length != kTableLength) return Reject(r);
  s.settings.buttons.assign(r.payload.begin(), r.payload.begin() + kButtonTableBytes);
  return Ack(r);
}

InputReport RestoreLighting(MouseState& s, const Request& r) {
  if (r.payload[0] != 0x01) return Reject(r);
  s.settings.lighting = s.factory.lighting;
  return Ack(r);
}

InputReport FactoryReset(MouseState& s, const Request& r) {
  if (r.payload[0] != 0xFF) return Reject(r);
  s.settings = s.factory;
  s.macro = {};
  return Ack(r);
}

InputReport DeviceInfo(const MouseState& s, const Request& r) {
  std::vector<std::uint8_t> d(s.identity.dev_id.begin(), s.identity.dev_id.end());
  d.insert(d.end(), {0, 0, s.identity.sensor_id, s.identity.rate_capability, s.battery_b, s.battery_a,
                     static_cast<std::uint8_t>(s.linked ? 1 : 0)});
  return Data(r, d);
}

InputReport ReadDpiLevels(const MouseState& s, const Request& r) {
  std::vector<std::uint8_t> d{static_cast<std::uint8_t>((s.settings.dpi_index << 4) | s.settings.dpi_count)};
  for (const std::uint16_t code : s.settings.dpi_codes) {
    const std::uint8_t lo = code & 0xFF, hi = code >> 8;
    d.insert(d.end(), {lo, hi, lo, hi});
  }
  return Data(r, d);
}

InputReport ReadDpiColours(const MouseState& s, const Request& r) {
  std::vector<std::uint8_t> d;
  for (const Colour& c : s.settings.dpi_colours) PutColour(d, c);
  return Data(r, d);
}

InputReport Execute(MouseState& s, const Request& r) {
  const Settings& v = s.settings;
  switch (r.command) {
    case rf::kReportRate:
      return WriteReportRate(s, r);
    case rf::kDpiLevels:
      return WriteDpiLevels(s, r);
    case rf::kDpiColours:
      return WriteDpiColours(s, r);
    case rf::kLighting:
      return WriteLighting(s, r);
    case rf::kLiftOffSensor:
      return WriteLiftOffSensor(s, r);
    case rf::kPower:
      return WritePower(s, r);
    case rf::kMacroData:
      return WriteMacroData(s, r);
    case rf::kButtons:
      return WriteButtons(s, r);
    case rf::kRestoreLighting:
      return RestoreLighting(s, r);
    case rf::kFactoryReset:
      return FactoryReset(s, r);
    case rf::kDeviceInfo:
      return DeviceInfo(s, r);
    case rf::kReadBackStart:
      return Ack(r);
    case rf::kReadReportRate:
      return Data(r, std::vector<std::uint8_t>{v.report_rate});
    case rf::kReadDpiLevels:
      return ReadDpiLevels(s, r);
    case rf::kReadDpiColours:
      return ReadDpiColours(s, r);
    case rf::kReadLighting:
      return Data(r, std::vector<std::uint8_t>{
                         v.lighting.mode, static_cast<std::uint8_t>((v.lighting.brightness << 4) | v.lighting.speed)});
    case rf::kReadLiftOffSensor:
      return Data(r, std::vector<std::uint8_t>{v.liftoff, v.sensor_options[0], v.sensor_options[1]});
    case rf::kReadPower:
      return Data(r, std::vector<std::uint8_t>{v.sleep, v.wake, v.lightoff, v.response});
    case rf::kReadReceiverVersion:
      if (s.identity.receiver) {
        return Data(r,
                    std::vector<std::uint8_t>(s.identity.receiver_version.begin(), s.identity.receiver_version.end()));
      }
      break;
    default:
      break;
  }
  return Answer(r.command, kUnknownCommand, r.sequence);
}

// Commands the receiver answers itself; every other one needs its mouse.
bool ReceiverAnswers(std::uint8_t command) { return command == rf::kDeviceInfo || command == rf::kReadReceiverVersion; }

}  // namespace

void LogCommand(MouseState& state, std::span<const std::uint8_t> report) {
  if (report.size() < 2 || report[0] != 0) return;
  auto byte = [&](std::size_t i) -> std::uint8_t { return i < report.size() ? report[i] : 0; };
  LoggedCommand entry{byte(rf::kCommandByte), byte(rf::kSequenceByte), byte(rf::kLengthByte), {}};
  const std::size_t end = std::min(rf::kPayloadByte + std::min<std::size_t>(entry.length, rf::kMaxPayload),
                                   std::min(report.size(), rf::kChecksumByte));
  if (end > rf::kPayloadByte) entry.payload.assign(report.begin() + rf::kPayloadByte, report.begin() + end);
  state.log.push_back(std::move(entry));
  if (state.log.size() > kMaxLogEntries) state.log.pop_front();
}

std::optional<InputReport> HandleConfigReport(MouseState& state, std::span<const std::uint8_t> report) {
  if (report.size() < 2 || report[0] != 0) return std::nullopt;
  LogCommand(state, report);
  const std::uint8_t command = report[rf::kCommandByte];
  if (state.identity.receiver && !state.linked && !ReceiverAnswers(command)) return std::nullopt;
  // The host always sends the interface's full output report (report id and
  // 64 bytes, zero-padded); a shorter one is refused.
  if (report.size() < rf::kPacketSize) return StatusAnswer(command, kRejected);
  if (rf::Checksum(report) != report[rf::kChecksumByte]) return StatusAnswer(command, kBadChecksum);
  const Request request{command, report[rf::kSequenceByte], report[rf::kLengthByte],
                        report.subspan(rf::kPayloadByte, rf::kMaxPayload)};
  return Execute(state, request);
}

InputReport StatusAnswer(std::uint8_t command, std::uint8_t status) { return Answer(command, status, 0); }

InputReport LinkReport(const MouseState& state) {
  InputReport out(kInputReportSize, 0);
  out[0] = rf::kLinkReport;
  out[1] = state.linked ? 1 : 0;
  out[2] = state.battery_a;
  out[3] = state.battery_b;
  return out;
}

InputReport DpiReport(const MouseState& state) {
  InputReport out(kInputReportSize, 0);
  out[0] = rf::kDpiReport;
  out[1] = static_cast<std::uint8_t>((state.settings.dpi_index << 4) | state.settings.dpi_count);
  return out;
}

std::optional<InputReport> LinkMouse(MouseState& state) {
  if (!state.identity.receiver || state.linked) return std::nullopt;
  state.linked = true;
  return LinkReport(state);
}

std::optional<InputReport> UnlinkMouse(MouseState& state) {
  if (!state.identity.receiver || !state.linked) return std::nullopt;
  state.linked = false;
  state.macro = {};
  return LinkReport(state);
}

std::optional<InputReport> PressDpiButton(MouseState& state, int count, int index) {
  if (count < 1 || count > kDpiLevels || index < 0 || index >= count || !state.linked) return std::nullopt;
  state.settings.dpi_count = static_cast<std::uint8_t>(count);
  state.settings.dpi_index = static_cast<std::uint8_t>(index);
  return DpiReport(state);
}

std::optional<InputReport> ChangeBattery(MouseState& state, std::uint8_t a, std::uint8_t b) {
  state.battery_a = a;
  state.battery_b = b;
  if (!state.identity.receiver) return std::nullopt;
  return LinkReport(state);
}

std::optional<int> MacroPacketIndex(std::span<const std::uint8_t> report) {
  if (report.size() <= rf::kSequenceByte || report[0] != 0 || report[rf::kCommandByte] != rf::kMacroData) {
    return std::nullopt;
  }
  return report[rf::kSequenceByte] >> 4;
}

}  // namespace korvane::sim
