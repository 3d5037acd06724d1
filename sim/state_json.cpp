#include "sim/state_json.hpp"

#include <cstdio>
#include <string>

#include "common/colour.hpp"
#include "common/sha256.hpp"

namespace korvane::sim {

namespace {

using json = nlohmann::ordered_json;

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const std::uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

std::string ColourText(const Colour& c) { return ColourToHex(PackColour({c[0], c[1], c[2]})); }

std::string ByteText(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

template <std::size_t N>
json Colours(const std::array<Colour, N>& colours) {
  json list = json::array();
  for (const Colour& c : colours) list.push_back(ColourText(c));
  return list;
}

json SettingsToJson(const Settings& s) {
  json macros = json::object();
  for (const auto& [key, stream] : s.macros) macros[std::to_string(key)] = HexBytes(stream);
  return {
      {"report_rate", s.report_rate},
      {"dpi", {{"count", s.dpi_count}, {"index", s.dpi_index}, {"codes", s.dpi_codes}}},
      {"dpi_colours", Colours(s.dpi_colours)},
      {"liftoff", s.liftoff},
      {"sensor", s.sensor_options},
      {"power", {{"sleep", s.sleep}, {"wake", s.wake}, {"lightoff", s.lightoff}, {"response", s.response}}},
      {"lighting",
       {{"mode", s.lighting.mode},
        {"brightness", s.lighting.brightness},
        {"speed", s.lighting.speed},
        {"colours", Colours(s.lighting.colours)}}},
      {"buttons", HexBytes(s.buttons)},
      {"macros", macros},
  };
}

}  // namespace

json StateToJson(const MouseState& state) {
  json log = json::array();
  for (const LoggedCommand& c : state.log) {
    log.push_back({{"cmd", ByteText(c.command)},
                   {"seq", ByteText(c.sequence)},
                   {"len", c.length},
                   {"payload", HexBytes(c.payload)}});
  }
  return {
      {"linked", state.linked},
      {"plugged", state.plugged},
      {"battery", {state.battery_a, state.battery_b}},
      {"settings", SettingsToJson(state.settings)},
      {"log", log},
      {"firmware",
       {{"started", state.update.started},
        {"finished", state.update.finished},
        {"bytes", state.update.image.size()},
        {"packets", state.update.packets},
        {"crc_errors", state.update.crc_errors},
        {"sha256", Sha256Hex(state.update.image)}}},
  };
}

}  // namespace korvane::sim
