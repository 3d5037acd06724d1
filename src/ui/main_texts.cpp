#include "ui/main_texts.hpp"

#include "ui/control_ids.hpp"

namespace korvane::ui {

const std::vector<TextBinding>& MainWindowTexts() {
  static const std::vector<TextBinding> bindings{
      // Window frame.
      {ctl::kProfileButton, 61},
      {ctl::kRestoreDefaults, 558},
      {ctl::kClose, 5, true},
      // Buttons page.
      {ctl::kKeyConfirm, 38},
      {ctl::kRepeatConfirm, 38},
      // Performance page.
      {ctl::kDpiTitle, 650},
      {ctl::kDpiSubtitle, 651},
      {ctl::kDpiHelp, 652, true},
      {ctl::kDpiReset, 252, true},
      {ctl::kDpiApply, 254},
      {ctl::kDpiCountLabel, 260},
      {ctl::kReportRateTitle, 653},
      {ctl::kReportRateHelp, 654, true},
      {ctl::kReportRateReset, 256, true},
      {ctl::kLiftOffTitle, 655},
      {ctl::kLiftOffHelp, 656, true},
      {ctl::kSensorTitle, 657},
      {ctl::kSensorHelp, 658, true},
      {ctl::kSensorOption1, 515},
      {ctl::kSensorOption2, 516},
      {ctl::kSensorOption3, 517},
      {ctl::kResponseTitle, 659},
      {ctl::kResponseUnit, 660},
      {ctl::kPowerTitle, 661},
      {ctl::kSleepLabel, 662},
      {ctl::kMoveWakeup, 533},
      {ctl::kMoveLightOff, 534},
      {ctl::kPointerTitle, 535},
      {ctl::kSystemMouseSettings, 536},
      // Macro page.
      {ctl::kMacroCreate, 353},
      {ctl::kMacroDelete, 30},
      {ctl::kEventInsert, 39},
      {ctl::kEventDelete, 357},
      {ctl::kEventClear, 404},
      // Lighting page.
      {ctl::kLightTitle, 663},
      {ctl::kLightModeLabel, 664},
      {ctl::kLightColourTitle, 665},
      {ctl::kLightReset, 276, true},
      {ctl::kPresetLabel, 666},
      {ctl::kSlotsLabel, 667},
      {ctl::kPaletteLabel, 668},
      // Device and update information page.
      {ctl::kDeviceInfoTitle, 76},
      {ctl::kFirmwareVersionLabel, 551},
      {ctl::kSoftwareVersionLabel, 552},
      {ctl::kCheckFirmware, 578},
      {ctl::kCheckSoftware, 578},
      {ctl::kDeviceRestoreDefaults, 558},
      // Settings page.
      {ctl::kSettingsCheckSoftware, 612},
      {ctl::kSettingsRestoreDefaults, 611},
      {ctl::kAutostart, 604},
      {ctl::kStartMinimised, 605},
      {ctl::kExitHidesToTray, 608},
      {ctl::kExitEndsProgram, 609},
      {ctl::kSettingsReturn, 5, true},
      {ctl::kLanguageHeading, 640},
      {ctl::kStartupHeading, 641},
      {ctl::kExitModeHeading, 642},
      {ctl::kSettingsUpdateHeading, 643},
      {ctl::kLinksHeading, 644},
      {ctl::kWebsite, 645},
      {ctl::kFeedback, 646},
      {ctl::kQuestions, 647},
      // Home page: what it shows while no mouse is there.
      {ctl::kHomeText, 50},
  };
  return bindings;
}

const std::vector<TabSpec>& MainTabs() {
  static const std::vector<TabSpec> tabs{
      {ctl::tab::kHome, 71, "icon/tab_home.png"},       {ctl::tab::kButtons, 72, "icon/tab_key.png"},
      {ctl::tab::kPerformance, 73, "icon/tab_dpi.png"}, {ctl::tab::kMacros, 74, "icon/tab_macro.png"},
      {ctl::tab::kLighting, 75, "icon/tab_light.png"},  {ctl::tab::kDevice, 76, "icon/tab_set.png"},
  };
  return tabs;
}

void AddMainTabs(Toolkit& toolkit, const TextLookup& text) {
  toolkit.ClearItems(ctl::kTabStrip);
  for (const TabSpec& tab : MainTabs()) {
    ListItem item;
    item.text = text(tab.text_id);
    item.data = tab.item;
    item.image = tab.icon;
    toolkit.AddItem(ctl::kTabStrip, item);
  }
}

void ApplyMainWindowTexts(Toolkit& toolkit, const TextLookup& text) {
  for (const TextBinding& binding : MainWindowTexts()) {
    if (binding.tooltip) {
      toolkit.SetTooltip(binding.control, text(binding.text_id));
    } else {
      toolkit.SetText(binding.control, text(binding.text_id));
    }
  }
  const std::vector<ListItem> items = toolkit.Items(ctl::kTabStrip);
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    for (const TabSpec& tab : MainTabs()) {
      if (tab.item != items[i].data) continue;
      ListItem item = items[i];
      item.text = text(tab.text_id);
      toolkit.SetItem(ctl::kTabStrip, i, item);
    }
  }
}

}  // namespace korvane::ui
