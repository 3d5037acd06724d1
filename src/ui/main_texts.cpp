#include "ui/main_texts.hpp"

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"

namespace korvane::ui {

const std::vector<TextBinding>& MainWindowTexts() {
  static const std::vector<TextBinding> bindings{
      // Window frame.
      {ctl::kProfileButton, text_id::kProfile},
      {ctl::kRestoreDefaults, text_id::kRestoreDefaults},
      {ctl::kClose, text_id::kClose, true},
      // Buttons page.
      {ctl::kButtonListTitle, text_id::kPrimaryButtonTitle},
      {ctl::kButtonsHint, text_id::kButtonsHint},
      {ctl::kRestoreButtons, text_id::kRestoreButtonsTitle},
      {ctl::kFunctionTitle, text_id::kFunctionTitle},
      {ctl::kResetButton, text_id::kResetButtonTip, true},
      {ctl::kMouseGroupCaption, text_id::kGroupMouse},
      {ctl::kMultimediaGroupCaption, text_id::kGroupMultimedia},
      {ctl::kMacroGroupCaption, text_id::kGroupMacro},
      {ctl::kDpiGroupCaption, text_id::kGroupDpi},
      {ctl::kSpecialGroupCaption, text_id::kGroupSpecial},
      {ctl::kSystemGroupCaption, text_id::kGroupSystem},
      {ctl::kOpenKeyCapture, text_id::kKeyCombinationButton},
      {ctl::kOpenRepeatPanel, text_id::kRepeatDescription},
      {ctl::kAssignDisabled, text_id::kDisableButton},
      {ctl::kKeyPanelTitle, text_id::kKeyCombinationButton},
      {ctl::kKeyField, text_id::kKeyFieldHint, true},
      {ctl::kKeyConfirm, text_id::kPanelConfirm},
      {ctl::kRepeatPanelTitle, text_id::kRepeatDescription},
      {ctl::kRepeatLabel1, text_id::kRepeatInterval},
      {ctl::kRepeatUnit1, text_id::kMilliseconds},
      {ctl::kRepeatLabel2, text_id::kRepeatCount},
      {ctl::kRepeatUnit2, text_id::kRepeatTimes},
      {ctl::kRepeatConfirm, text_id::kPanelConfirm},
      // Performance page.
      {ctl::kDpiTitle, text_id::kDpiTitle},
      {ctl::kDpiSubtitle, text_id::kDpiSubtitle},
      {ctl::kDpiHelp, text_id::kDpiHelp, true},
      {ctl::kDpiReset, text_id::kDpiResetTip, true},
      {ctl::kDpiApply, text_id::kDpiApply},
      {ctl::kDpiCountLabel, text_id::kDpiCountLabel},
      {ctl::kReportRateTitle, text_id::kReportRateTitle},
      {ctl::kReportRateHelp, text_id::kReportRateHelp, true},
      {ctl::kReportRateReset, text_id::kRateResetTip, true},
      {ctl::kLiftOffTitle, text_id::kLiftOffTitle},
      {ctl::kLiftOffHelp, text_id::kLiftOffHelp, true},
      {ctl::kSensorTitle, text_id::kSensorTitle},
      {ctl::kSensorHelp, text_id::kSensorHelp, true},
      {ctl::kSensorOption1, text_id::kSensorOption1},
      {ctl::kSensorOption2, text_id::kSensorOption2},
      {ctl::kSensorOption3, text_id::kSensorOption3},
      {ctl::kResponseTitle, text_id::kResponseTitle},
      {ctl::kResponseUnit, text_id::kResponseUnit},
      {ctl::kPowerTitle, text_id::kPowerTitle},
      {ctl::kSleepLabel, text_id::kSleepLabel},
      {ctl::kMoveWakeup, text_id::kMoveWakeup},
      {ctl::kMoveLightOff, text_id::kMoveLightOff},
      {ctl::kPointerTitle, text_id::kPointerTitle},
      {ctl::kSystemMouseSettings, text_id::kSystemMouseSettings},
      // Macro page.
      {ctl::kMacroCreate, text_id::kMacroCreate},
      {ctl::kMacroDelete, text_id::kMacroDelete},
      {ctl::kEventInsert, text_id::kEventInsert},
      {ctl::kEventDelete, text_id::kEventDelete},
      {ctl::kEventClear, text_id::kEventClear},
      {ctl::kMacroListTitle, text_id::kMacroListTitle},
      {ctl::kEventListTitle, text_id::kEventListTitle},
      {ctl::kDelayTitle, text_id::kDelayTitle},
      {ctl::kDelayNone, text_id::kDelayNone},
      {ctl::kDelayRecorded, text_id::kDelayRecorded},
      {ctl::kDelayFixed, text_id::kDelayFixed},
      {ctl::kDelayUnit, text_id::kMilliseconds},
      {ctl::kPlayTitle, text_id::kPlayTitle},
      {ctl::kPlayWhileHeld, text_id::kPlayWhileHeld},
      {ctl::kPlayToggle, text_id::kPlayToggle},
      {ctl::kPlayTimes, text_id::kPlayTimes},
      {ctl::kEventEditorTitle, text_id::kEventEditorTitle},
      {ctl::kEventUp, text_id::kMoveUp, true},
      {ctl::kEventDown, text_id::kMoveDown, true},
      // Lighting page.
      {ctl::kLightTitle, text_id::kLightTitle},
      {ctl::kLightModeLabel, text_id::kLightModeLabel},
      {ctl::kLightColourTitle, text_id::kLightColourTitle},
      {ctl::kLightReset, text_id::kLightResetTitle, true},
      {ctl::kPresetLabel, text_id::kPresetLabel},
      {ctl::kSlotsLabel, text_id::kSlotsLabel},
      {ctl::kPaletteLabel, text_id::kPaletteLabel},
      // Device and update information page.
      {ctl::kDeviceInfoTitle, text_id::kTabDeviceInfo},
      {ctl::kFirmwareVersionLabel, text_id::kFirmwareTitle},
      {ctl::kSoftwareVersionLabel, text_id::kSoftwareTitle},
      {ctl::kCheckFirmware, text_id::kCheckForUpdates},
      {ctl::kCheckSoftware, text_id::kCheckForUpdates},
      {ctl::kUpgradeFirmware, text_id::kUpdateAction},
      {ctl::kInstallSoftware, text_id::kUpdateAction},
      {ctl::kDeviceRestoreDefaults, text_id::kRestoreDefaults},
      // Settings page.
      {ctl::kSettingsCheckSoftware, text_id::kSettingsCheckSoftware},
      {ctl::kSettingsRestoreDefaults, text_id::kSettingsFactoryReset},
      {ctl::kAutostart, text_id::kAutostart},
      {ctl::kStartMinimised, text_id::kStartMinimised},
      {ctl::kBatteryNotices, text_id::kBatteryNotices},
      {ctl::kExitHidesToTray, text_id::kCloseToTray},
      {ctl::kExitEndsProgram, text_id::kCloseExits},
      {ctl::kSettingsReturn, text_id::kClose, true},
      {ctl::kLanguageHeading, text_id::kLanguageHeading},
      {ctl::kStartupHeading, text_id::kStartupHeading},
      {ctl::kExitModeHeading, text_id::kExitModeHeading},
      {ctl::kSettingsUpdateHeading, text_id::kSettingsUpdateHeading},
      {ctl::kLinksHeading, text_id::kLinksHeading},
      {ctl::kWebsite, text_id::kWebsite},
      {ctl::kFeedback, text_id::kFeedback},
      {ctl::kQuestions, text_id::kQuestions},
      // Home page: what it shows while no mouse is there.
      {ctl::kHomeText, text_id::kNoMouse},
  };
  return bindings;
}

const std::vector<TabSpec>& MainTabs() {
  static const std::vector<TabSpec> tabs{
      {ctl::tab::kHome, text_id::kTabHome, "icon/tab_home.png"},
      {ctl::tab::kButtons, text_id::kTabButtons, "icon/tab_key.png"},
      {ctl::tab::kPerformance, text_id::kTabPerformance, "icon/tab_dpi.png"},
      {ctl::tab::kMacros, text_id::kTabMacros, "icon/tab_macro.png"},
      {ctl::tab::kLighting, text_id::kTabLighting, "icon/tab_light.png"},
      {ctl::tab::kDevice, text_id::kTabDeviceInfo, "icon/tab_set.png"},
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
