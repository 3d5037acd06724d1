#pragma once

#include <vector>

namespace korvane::ui {

// How the light of the lighting page's mouse picture moves.
enum class LightEffect {
  kOff,          // no light
  kSteady,       // the first colour, still
  kBreathing,    // fades in and out, each breath in the next colour
  kFlow,         // the spectrum runs round the mouse's edge
  kNeon,         // the whole light passes through the spectrum
  kRainbowWave,  // bands of the spectrum roll over the mouse
};

// What the picture of the lit mouse shows. Colours are R + 256*G + 65536*B;
// the spectrum effects take none. Brightness and speed are percentages of
// their ranges; speed paces a moving effect (100 the fastest).
struct LightingPreview {
  LightEffect effect = LightEffect::kOff;
  std::vector<int> colours;
  int brightness = 0;
  int speed = 0;

  friend bool operator==(const LightingPreview&, const LightingPreview&) = default;
};

}  // namespace korvane::ui
