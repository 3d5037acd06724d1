#pragma once

#include <vector>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

// A control captioned with a language text, as a caption or as a tooltip.
struct TextBinding {
  int control = 0;
  int text_id = 0;
  bool tooltip = false;
};

// A tab of the tab strip: item id, caption text and icon.
struct TabSpec {
  int item = 0;
  int text_id = 0;
  const char* icon = "";
};

// The language-text captions of the main window's controls.
const std::vector<TextBinding>& MainWindowTexts();

// The tabs in strip order.
const std::vector<TabSpec>& MainTabs();

// Fills the tab strip with the tabs (run once, after the window is built).
void AddMainTabs(Toolkit& toolkit, const TextLookup& text);

// Sets every caption, tooltip and tab text of the main window from the
// current language; run after building and after a language switch.
void ApplyMainWindowTexts(Toolkit& toolkit, const TextLookup& text);

}  // namespace korvane::ui
