#include "sim/sensor_codes.hpp"

#include <algorithm>
#include <array>
#include <span>

namespace korvane::sim {

namespace {

// A run of equally spaced DPI values whose codes count up from first_code.
struct Segment {
  int from_dpi;
  int to_dpi;
  int step;
  int first_code;
};

struct SensorRow {
  int sensor_id;
  std::array<Segment, 3> segments;
  int segment_count;
};

constexpr std::array kSensors{
    SensorRow{4, {{{100, 8000, 100, 1}}}, 1},
    SensorRow{5, {{{50, 6400, 50, 1}, {6500, 12000, 100, 129}}}, 2},
    SensorRow{16, {{{100, 4800, 100, 1}}}, 1},
    SensorRow{17, {{{50, 10000, 50, 1}, {10100, 12000, 100, 201}, {13000, 24000, 1000, 221}}}, 3},
    SensorRow{18, {{{100, 4800, 100, 1}}}, 1},
    SensorRow{25, {{{100, 16000, 100, 1}, {17000, 30000, 1000, 161}}}, 2},
    SensorRow{37, {{{100, 5000, 100, 1}, {5500, 10000, 500, 51}}}, 2},
    SensorRow{38, {{{200, 5000, 100, 1}, {5500, 10000, 500, 50}}}, 2},
    SensorRow{53, {{{100, 16000, 100, 1}}}, 1},
    SensorRow{149, {{{100, 26000, 50, 1}}}, 1},
    SensorRow{150, {{{100, 38000, 50, 1}}}, 1},
};
constexpr SensorRow kDefaultRow{0, {{{50, 26000, 50, 0}}}, 1};

}  // namespace

std::uint16_t DpiCode(int sensor_id, int dpi) {
  const auto found =
      std::find_if(kSensors.begin(), kSensors.end(), [&](const SensorRow& row) { return row.sensor_id == sensor_id; });
  const SensorRow& row = found != kSensors.end() ? *found : kDefaultRow;
  const std::span<const Segment> segments(row.segments.data(), row.segment_count);
  dpi = std::clamp(dpi, segments.front().from_dpi, segments.back().to_dpi);
  // The last segment that starts at or below the value; a value in a gap
  // between segments takes the top step of the segment below.
  const Segment* segment = &segments.front();
  for (const Segment& s : segments) {
    if (s.from_dpi <= dpi) segment = &s;
  }
  const int within = std::min(dpi, segment->to_dpi) - segment->from_dpi;
  return static_cast<std::uint16_t>(segment->first_code + within / segment->step);
}

}  // namespace korvane::sim
