#pragma once

#include <cstdint>
#include <functional>

#include "app/page_context.hpp"
#include "performance/settings_target.hpp"
#include "store/records.hpp"

namespace korvane {

// The lighting page: the model's effect modes, and for the selected mode the
// controls its features allow (brightness, speed, seven colour slots, free
// colour with presets, palette and R, G, B fields). Every change is stored
// in the mode's row of the current profile, then task 8 is queued and the
// save tip shown. Models without lighting never fill it and hide its tab.
// UI thread only.
class LightingPage final {
 public:
  // Routes the page's controls and hooks the refreshes; what the context
  // refers to must outlive the page.
  explicit LightingPage(PageContext context);

  // Creates the profile's default rows when it has none, lists its modes and
  // shows the active one.
  void Load();

 private:
  PageContext ctx_;

  SettingsTarget Target() const;
  int Profile() const;

  void Route();
  void ShowTab();
  void ShowLightMode();
  bool LoadSelectedMode(LightSetting& row);
  void ChangeMode(int index);
  void SlideBrightness(int event, int value);
  void SlideSpeed(int event, int value);
  // Shows the current mode's row on the lit mouse, first changed by pending
  // (a value not stored yet, while it is dragged or picked).
  void ShowPreview(const std::function<void(LightSetting&)>& pending = {});
  void PickPreset(int control);
  void PickPaletteColour(int event, int colour);
  void EditColourField(int control);
  void ApplyColour(int colour);
  void ShowColourInEditor(int colour);
  int SelectedSlot() const;
  void ResetLighting();
};

}  // namespace korvane
