#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace korvane {

// One run of DPI values a sensor steps through evenly: values from..to in
// steps of `step`, device codes growing by one per step. A value up to
// `upto` (normally `to`; past it for a gap the next run does not cover,
// whose values fall to `to`) is encoded as
// code_at_anchor + (dpi - anchor) / step.
struct DpiSegment {
  int from;
  int to;
  int upto;
  int step;
  int anchor;
  int code_at_anchor;
};

// How a DPI value typed by the user is rounded: down to a multiple of
// low_step up to `split`, above it split plus a multiple of high_step, then
// held to min..max. The steps follow the sensor's runs only roughly; the
// encoder takes the result to the lower device step.
struct DpiSnap {
  int split;
  int low_step;
  int high_step;
  int min;
  int max;
};

// The DPI range, slider and device codes of one sensor.
struct SensorDpiRow {
  int sensor_id;  // -1 for the row of every sensor not listed
  int min_dpi;
  int max_dpi;
  std::string_view caption_low;
  std::string_view caption_high;
  int slider_low;
  int slider_high;
  // The slider index is DPI / 50 (not the device code) on these rows.
  bool slider_in_50s;
  std::span<const DpiSegment> segments;
  DpiSnap snap;
};

// The row of a sensor; the default row for a sensor the table lacks.
const SensorDpiRow& SensorRowFor(int sensor_id);
// Every listed row, the default row last.
std::span<const SensorDpiRow> SensorRows();

// The device code of a DPI value: clamped to the row's range first, and a
// value between two steps (or in a gap between two runs) falls to the lower
// step.
int EncodeDpi(const SensorDpiRow& row, int dpi);
// The DPI value of a device code; nullopt for a code no run produces.
std::optional<int> DecodeDpi(const SensorDpiRow& row, int code);

// A typed DPI value rounded to the row's typing steps and range.
int SnapTypedDpi(const SensorDpiRow& row, long long typed);

// The slider position of a DPI value and the DPI value of a slider position.
int SliderIndexOf(const SensorDpiRow& row, int dpi);
int DpiAtSlider(const SensorDpiRow& row, int index);

}  // namespace korvane
