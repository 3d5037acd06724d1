#include "device/sensor_dpi_table.hpp"

#include <algorithm>
#include <array>

namespace korvane {

namespace {

// Each run as the sensor steps: {from, to, upto, step, anchor, code at anchor}.
constexpr std::array<DpiSegment, 1> kSteps100To8000{{{100, 8000, 8000, 100, 0, 0}}};
constexpr std::array<DpiSegment, 2> kSensor5{{{50, 6400, 6400, 50, 0, 0}, {6500, 12000, 12000, 100, 6400, 128}}};
constexpr std::array<DpiSegment, 1> kSteps100To4800{{{100, 4800, 4800, 100, 0, 0}}};
// No step lies between 12000 and 13000; values there belong to the 100-DPI
// run, which ends at 12000, so they fall to that step.
constexpr std::array<DpiSegment, 3> kSensor17{
    {{50, 10000, 10000, 50, 0, 0}, {10100, 12000, 12999, 100, 10000, 200}, {13000, 24000, 24000, 1000, 13000, 221}}};
constexpr std::array<DpiSegment, 2> kSensor25{
    {{100, 16000, 16000, 100, 0, 0}, {17000, 30000, 30000, 1000, 16000, 160}}};
constexpr std::array<DpiSegment, 2> kSensor37{{{100, 5000, 5000, 100, 0, 0}, {5500, 10000, 10000, 500, 5000, 50}}};
constexpr std::array<DpiSegment, 2> kSensor38{{{200, 5000, 5000, 100, 200, 1}, {5500, 10000, 10000, 500, 5000, 49}}};
constexpr std::array<DpiSegment, 1> kSteps100To16000{{{100, 16000, 16000, 100, 0, 0}}};
constexpr std::array<DpiSegment, 1> kSensor149{{{100, 26000, 26000, 50, 100, 1}}};
constexpr std::array<DpiSegment, 1> kSensor150{{{100, 38000, 38000, 50, 100, 1}}};
constexpr std::array<DpiSegment, 1> kDefaultSteps{{{50, 26000, 26000, 50, 50, 0}}};

constexpr std::array<SensorDpiRow, 12> kRows{{
    {4, 100, 8000, "100", "8000", 0, 80, false, kSteps100To8000, {8000, 100, 100, 100, 8000}},
    {5, 50, 12000, "50", "12000", 0, 184, false, kSensor5, {12000, 50, 50, 50, 12000}},
    {16, 100, 4800, "100", "4800", 0, 48, false, kSteps100To4800, {4800, 100, 100, 100, 4800}},
    {17, 50, 24000, "50", "24000", 0, 232, false, kSensor17, {10000, 50, 100, 50, 24000}},
    {18, 100, 4800, "100", "4800", 0, 48, false, kSteps100To4800, {4800, 100, 100, 100, 4800}},
    {25, 100, 30000, "100", "30000", 0, 174, false, kSensor25, {30000, 100, 100, 100, 30000}},
    {37, 100, 10000, "100", "10000", 0, 60, false, kSensor37, {5000, 100, 1000, 100, 10000}},
    {38, 200, 10000, "200", "10000", 0, 59, false, kSensor38, {10000, 100, 100, 200, 10000}},
    {53, 100, 16000, "100", "16000", 0, 160, false, kSteps100To16000, {16000, 100, 100, 100, 16000}},
    {149, 100, 26000, "100", "26000", 2, 520, true, kSensor149, {26000, 50, 50, 100, 26000}},
    {150, 100, 38000, "100", "32000", 2, 640, true, kSensor150, {32000, 50, 50, 100, 32000}},
    {-1, 50, 26000, "50", "26000", 0, 520, true, kDefaultSteps, {26000, 50, 50, 50, 26000}},
}};

int CodeOf(const DpiSegment& segment, int dpi) {
  return segment.code_at_anchor + (dpi - segment.anchor) / segment.step;
}

}  // namespace

std::span<const SensorDpiRow> SensorRows() { return kRows; }

const SensorDpiRow& SensorRowFor(int sensor_id) {
  for (const SensorDpiRow& row : kRows) {
    if (row.sensor_id == sensor_id) return row;
  }
  return kRows.back();
}

int EncodeDpi(const SensorDpiRow& row, int dpi) {
  dpi = std::clamp(dpi, row.min_dpi, row.max_dpi);
  for (const DpiSegment& segment : row.segments) {
    if (dpi <= segment.upto) return CodeOf(segment, std::min(dpi, segment.to));
  }
  return CodeOf(row.segments.back(), dpi);
}

std::optional<int> DecodeDpi(const SensorDpiRow& row, int code) {
  for (const DpiSegment& segment : row.segments) {
    if (code >= CodeOf(segment, segment.from) && code <= CodeOf(segment, segment.to)) {
      return segment.anchor + (code - segment.code_at_anchor) * segment.step;
    }
  }
  return std::nullopt;
}

int SnapTypedDpi(const SensorDpiRow& row, long long typed) {
  const DpiSnap& snap = row.snap;
  const long long value = std::clamp<long long>(typed, 0, snap.max + snap.high_step);
  const long long snapped = value <= snap.split ? value / snap.low_step * snap.low_step
                                                : snap.split + (value - snap.split) / snap.high_step * snap.high_step;
  return static_cast<int>(std::clamp<long long>(snapped, snap.min, snap.max));
}

int SliderIndexOf(const SensorDpiRow& row, int dpi) {
  if (row.slider_in_50s) return std::clamp(dpi, row.min_dpi, row.max_dpi) / 50;
  return EncodeDpi(row, dpi);
}

int DpiAtSlider(const SensorDpiRow& row, int index) {
  if (row.slider_in_50s) return index * 50;
  return DecodeDpi(row, index).value_or(row.min_dpi);
}

}  // namespace korvane
