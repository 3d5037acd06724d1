#pragma once

#include <cstdint>

#include "app/page_context.hpp"
#include "performance/settings_target.hpp"

namespace korvane {

// The performance page: DPI levels with their slider, colours and count, the
// report rate, lift-off distance, sensor options, button response time,
// power settings and the button that opens the desktop's mouse settings.
// Every change is stored in the current profile first, then the task that
// sends it is queued and the save tip shown; the page is reloaded from the
// database whenever the worker asks for it. UI thread only.
class PerformancePage final {
 public:
  // Routes the page's controls and hooks the refreshes and the mouse's DPI
  // button; the controller must outlive the page.
  explicit PerformancePage(PageContext context);

  // Fills every control from the current profile and shows the sections the
  // current model has.
  void Load();

 private:
  PageContext ctx_;

  SettingsTarget Target() const;
  int Profile() const;

  void Route();
  void FillFixedLists();
  void LoadDpi();
  void RebuildDpiList();
  void ShowLevel(int level, int value);
  void MoveSliderTo(int value);
  int LevelValue(int level) const;
  void Changed();

  void OnLevelsEvent(int event, std::int64_t param);
  void SelectLevel(int level);
  void TypeLevelValue(int level);
  void PickLevelColour(int level);
  void Slide(int event, int slider_index);
  void ChangeCount(int index);
  void ResetDpi();
  void OnDpiButton(int count, int index);

  void ChangeRate(int index);
  void ResetRate();
  void OnResponseTimeEvent(int event);
  void ChangeSensorOptions();
  void ChangeSleepTime(int index);
  // Starts the desktop's mouse settings at once, or says that it has none.
  void OpenMouseSettings();
};

}  // namespace korvane
