#pragma once

#include <array>

// Every language text the program shows, by number: the one table the code
// takes its text numbers from and the shipped-language-file test checks
// every language against. X(name, number, what the text is).
// clang-format off
#define KORVANE_TEXT_IDS(X) \
  X(kCopyright, 2,                "About box: copyright line at the bottom") \
  X(kClose, 5,                    "Tooltip of the close buttons (About box, DPI tip)") \
  X(kExit, 12,                    "Tray icon menu: exit the program") \
  X(kFirmwareVersion, 16,         "About box: label before the device firmware version") \
  X(kVersion, 17,                 "Label before the program version (title area and settings page)") \
  X(kOk, 20,                      "Message box: button of an information message") \
  X(kPaletteConfirm, 22,          "Colour picker: confirm button") \
  X(kConfirm, 23,                 "Confirm button of a question and of the macro-step editor") \
  X(kCancel, 25,                  "Message box: cancel button of a question") \
  X(kImport, 26,                  "Import (macro list menu: import a macro; profile pop-up button)") \
  X(kExport, 27,                  "Export (macro list menu: export the macro; profile pop-up button)") \
  X(kMacroDelete, 30,             "Macros page: delete the selected macro") \
  X(kCopy, 31,                    "System function Ctrl+C; also the copy word appended to copied macro names") \
  X(kPaste, 32,                   "System function Ctrl+V") \
  X(kCut, 36,                     "System function Ctrl+X") \
  X(kPanelConfirm, 38,            "Buttons page: confirm button of the key combination and rapid fire panels") \
  X(kEventInsert, 39,             "Macros page: insert button (opens the insert menu)") \
  X(kNoMouse, 50,                 "Status line: no mouse reachable") \
  X(kConnectedWired, 51,          "Status line: wired mouse connected") \
  X(kConnectedReceiver, 52,       "Status line: mouse connected through the receiver") \
  X(kNotLinked, 56,               "Message when the picked model is not connected") \
  X(kMouseNotConnected, 57,       "Mouse not connected (message, and title of the model-not-connected message)") \
  X(kProfile, 61,                 "Profile: profile button, word of the default profile names") \
  X(kTabHome, 71,                 "Tab: home") \
  X(kTabButtons, 72,              "Tab: buttons") \
  X(kTabPerformance, 73,          "Tab: performance (DPI, report rate, sensor, power)") \
  X(kTabMacros, 74,               "Tab: macros") \
  X(kTabLighting, 75,             "Tab: lighting") \
  X(kTabDeviceInfo, 76,           "Tab and page title: device and update information") \
  X(kMouseLeftClick, 106,         "Mouse function: left click") \
  X(kMouseRightClick, 107,        "Mouse function: right click") \
  X(kMouseMiddleClick, 108,       "Mouse function: middle click") \
  X(kMouseForward, 109,           "Mouse function: forward") \
  X(kMouseBack, 110,              "Mouse function: back") \
  X(kMouseScrollUp, 112,          "Mouse function: scroll up") \
  X(kMouseScrollDown, 113,        "Mouse function: scroll down") \
  X(kMouseFunction9, 114,         "Mouse function code 9 (only from profile files)") \
  X(kMouseFunction10, 115,        "Mouse function code 10 (only from profile files)") \
  X(kMediaVolumeUp, 117,          "Multimedia function: volume up") \
  X(kMediaVolumeDown, 118,        "Multimedia function: volume down") \
  X(kMediaMute, 119,              "Multimedia function: mute") \
  X(kMediaPlayer, 120,            "Multimedia function: media player") \
  X(kMediaPlayPause, 121,         "Multimedia function: play/pause") \
  X(kMediaPrevious, 122,          "Multimedia function: previous track") \
  X(kMediaNext, 123,              "Multimedia function: next track") \
  X(kMediaStop, 124,              "Multimedia function: stop") \
  X(kSystemBrightnessUp, 127,     "System function: screen brightness up") \
  X(kSystemBrightnessDown, 128,   "System function: screen brightness down") \
  X(kSystemCalculator, 129,       "System function: calculator") \
  X(kSystemComputer, 130,         "System function: open the computer (file browser)") \
  X(kSystemBrowserHome, 131,      "System function: browser home page") \
  X(kSystemMail, 132,             "System function: e-mail") \
  X(kSystemShowDesktop, 133,      "System function: show desktop (Win+D)") \
  X(kSystemTaskView, 134,         "System function: switch windows (Win+Tab)") \
  X(kDisableButton, 139,          "Buttons page: disable the button (button caption and description)") \
  X(kDpiCycle, 142,               "DPI function: DPI cycle") \
  X(kSpecial1, 151,               "Special function 1") \
  X(kSpecial3, 152,               "Special function 3 (description only)") \
  X(kSpecial4, 153,               "Special function 4 (description only)") \
  X(kSpecial5, 154,               "Special function 5 (description only)") \
  X(kSpecial6, 155,               "Special function 6 (description only)") \
  X(kRepeatDescription, 161,      "Description of a rapid fire (repeat) assignment") \
  X(kRestoreButtonsQuestion, 170, "Question before restoring the default button functions") \
  X(kRestoreButtonsTitle, 171,    "Title of the restore-button-functions question") \
  X(kPrimaryButtonLocked, 175,    "Message: the left button cannot be reassigned") \
  X(kPrimaryButtonTitle, 177,     "Title of the left-button message") \
  X(kMouseTripleClick, 180,       "Mouse function: triple click") \
  X(kSpecial2, 181,               "Special function 2") \
  X(kDpiResetTip, 252,            "Tooltip: restore the default DPI settings") \
  X(kDpiResetTitle, 253,          "Title of the DPI reset question") \
  X(kDpiApply, 254,               "Performance page: apply the DPI settings") \
  X(kRateResetTip, 256,           "Tooltip: restore the default report rate") \
  X(kDpiResetQuestion, 258,       "Question before restoring the default DPI settings") \
  X(kDpiCountLabel, 260,          "Performance page: label of the DPI level count") \
  X(kLightResetQuestion, 275,     "Question before restoring the default lighting") \
  X(kLightResetTitle, 276,        "Title of the lighting reset question") \
  X(kBrightness, 278,             "Lighting page: brightness") \
  X(kSpeed, 279,                  "Lighting page: speed") \
  X(kLightFlow, 280,              "Lighting mode: flow") \
  X(kLightBreathing, 281,         "Lighting mode: breathing") \
  X(kLightAlwaysOn, 282,          "Lighting mode: always on") \
  X(kLightNeon, 283,              "Lighting mode: neon") \
  X(kLightRainbowWave, 284,       "Lighting mode: rainbow wave") \
  X(kLightOff, 285,               "Lighting mode: off") \
  X(kMacroDefaultName, 351,       "Word of the default macro names") \
  X(kMacroCreate, 353,            "Macros page: create a new macro") \
  X(kEventLimitTitle, 355,        "Title of the message when recording reaches the event limit") \
  X(kEventDelete, 357,            "Macros page: delete the selected event") \
  X(kRecordStart, 358,            "Macros page: start recording (button, and title of the no-macro message)") \
  X(kRecordStop, 359,             "Macros page: stop recording") \
  X(kNoInsertTitle, 368,          "Title of the message when no event can be inserted") \
  X(kKeyFieldHint, 385,           "Event editor: hint of the key field") \
  X(kEventLimitReached, 386,      "Message: the macro has reached its maximum number of events") \
  X(kSelectMacroFirst, 387,       "Message: select a macro before recording") \
  X(kEventKindKey, 394,           "Event editor: event kind key") \
  X(kEventKindDelay, 395,         "Event editor: event kind delay") \
  X(kInsertKey, 397,              "Insert menu: insert a key") \
  X(kInsertDelay, 398,            "Insert menu: insert a delay") \
  X(kMoveTop, 400,                "Event list menu: move to top") \
  X(kMoveUp, 401,                 "Event list menu: move up") \
  X(kMoveDown, 402,               "Event list menu: move down") \
  X(kMoveBottom, 403,             "Event list menu: move to bottom") \
  X(kEventClear, 404,             "Macros page: clear all events") \
  X(kImportAllMacros, 410,        "Macro list menu: import all macros") \
  X(kExportAllMacros, 411,        "Macro list menu: export all macros") \
  X(kInsertLeftClick, 415,        "Insert menu: insert a left click") \
  X(kInsertMiddleClick, 416,      "Insert menu: insert a middle click") \
  X(kInsertRightClick, 417,       "Insert menu: insert a right click") \
  X(kSensorOption1, 515,          "Sensor option (first box)") \
  X(kSensorOption2, 516,          "Sensor option (second box)") \
  X(kSensorOption3, 517,          "Sensor option (third box)") \
  X(kMoveWakeup, 533,             "Power: wake the mouse on movement") \
  X(kMoveLightOff, 534,           "Power: switch the lighting off on movement") \
  X(kPointerTitle, 535,           "Performance page: system mouse settings section title") \
  X(kSystemMouseSettings, 536,    "Performance page: open the system mouse settings") \
  X(kMinutes, 537,                "Unit of the sleep time (minutes)") \
  X(kFirmwareTitle, 551,          "Firmware version (label, title of firmware messages)") \
  X(kSoftwareTitle, 552,          "Software version (label, title of its update message)") \
  X(kRestoreDefaults, 558,        "Restore defaults button") \
  X(kFactoryResetTitle, 570,      "Title of the factory reset question") \
  X(kFactoryResetQuestion, 571,   "Question before the factory reset") \
  X(kNoMouseTitle, 576,           "Title of the mouse-not-connected message") \
  X(kCheckForUpdates, 578,        "Device page: check for updates") \
  X(kNoUpdate, 580,               "Already the latest version (label and message)") \
  X(kSoftwareUpdateTitle, 581,    "Title of the software update question") \
  X(kNewVersion, 582,             "New version available (label before the offered version)") \
  X(kUpdateNowQuestion, 583,      "Question: update now") \
  X(kUpgradeDownloading, 590,     "Firmware upgrade progress: downloading") \
  X(kUpgradePreparing, 591,       "Firmware upgrade progress: preparing the image") \
  X(kUpgradeWriting, 592,         "Firmware upgrade progress: writing the firmware") \
  X(kUpgradeFinished, 593,        "Firmware upgrade progress: finished") \
  X(kAutostart, 604,              "Settings: start with the system") \
  X(kStartMinimised, 605,         "Settings: start minimised") \
  X(kCloseToTray, 608,            "Settings: close button hides to the tray") \
  X(kCloseExits, 609,             "Settings: close button exits the program") \
  X(kSettingsFactoryReset, 611,   "Settings: restore factory defaults") \
  X(kSettingsCheckSoftware, 612,  "Settings: check for software updates") \
  X(kSaving, 630,                 "Save tip: settings are being written to the mouse") \
  X(kLanguageHeading, 640,        "Settings page: heading of the language list") \
  X(kStartupHeading, 641,         "Settings page: heading of the start-up choices") \
  X(kExitModeHeading, 642,        "Settings page: heading of the close-button choices") \
  X(kSettingsUpdateHeading, 643,  "Settings page: heading of the update and restore buttons") \
  X(kLinksHeading, 644,           "Settings page: heading of the web links") \
  X(kWebsite, 645,                "Settings page: website link") \
  X(kFeedback, 646,               "Settings page: feedback link") \
  X(kQuestions, 647,              "Settings page: questions link") \
  X(kDpiTitle, 650,               "Performance page: DPI section title") \
  X(kDpiSubtitle, 651,            "Performance page: DPI section subtitle") \
  X(kDpiHelp, 652,                "Performance page: DPI help tooltip") \
  X(kReportRateTitle, 653,        "Performance page: report-rate title") \
  X(kReportRateHelp, 654,         "Performance page: report-rate help tooltip") \
  X(kLiftOffTitle, 655,           "Performance page: lift-off title") \
  X(kLiftOffHelp, 656,            "Performance page: lift-off help tooltip") \
  X(kSensorTitle, 657,            "Performance page: sensor-options title") \
  X(kSensorHelp, 658,             "Performance page: sensor-options help tooltip") \
  X(kResponseTitle, 659,          "Performance page: response-time title") \
  X(kResponseUnit, 660,           "Performance page: response-time unit") \
  X(kPowerTitle, 661,             "Performance page: power title") \
  X(kSleepLabel, 662,             "Performance page: label of the sleep time") \
  X(kLightTitle, 663,             "Lighting page: title") \
  X(kLightModeLabel, 664,         "Lighting page: label of the mode list") \
  X(kLightColourTitle, 665,       "Lighting page: colour section title") \
  X(kPresetLabel, 666,            "Lighting page: label of the preset colours") \
  X(kSlotsLabel, 667,             "Lighting page: label of the colour slots") \
  X(kPaletteLabel, 668,           "Lighting page: label of the palette") \
  X(kAbout, 669,                  "Title-area menu: opens the About box") \
  X(kMacroTooLong, 700,           "Message: the macro has more device events than the mouse stores") \
  X(kNoMouseSettingsPanel, 701,   "Message: no desktop mouse settings panel is installed") \
  X(kNotSaved, 702,               "Message: the settings database did not take a change; nothing was sent") \
  X(kNotSavedTitle, 703,          "Title of the message that a change was not saved") \
  X(kWaitingForMouse, 710,        "Status line: the receiver is there, its mouse has not answered yet") \
  X(kChangeNotTaken, 711,         "Status line: the mouse did not take a change; it is sent when the mouse is back") \
  X(kCatalogUnreadable, 712,      "Message: the device list (config.xml) cannot be read") \
  X(kCatalogUnreadableTitle, 713, "Title of the message that the device list cannot be read") \
  X(kMouseInUse, 714,             "Message: another program holds the device lock past the wait") \
  X(kMouseInUseTitle, 715,        "Title of the message that another program is using the mouse") \
  X(kGroupMouse, 720,             "Buttons page: caption of the mouse function chooser") \
  X(kGroupMultimedia, 721,        "Buttons page: caption of the multimedia chooser") \
  X(kGroupMacro, 722,             "Buttons page: caption of the macro chooser") \
  X(kGroupDpi, 723,               "Buttons page: caption of the DPI function chooser") \
  X(kGroupSpecial, 724,           "Buttons page: caption of the special function chooser") \
  X(kGroupSystem, 725,            "Buttons page: caption of the system shortcut chooser") \
  X(kKeyCombinationButton, 726,   "Buttons page: opens the key combination panel (and its title)") \
  X(kRepeatInterval, 727,         "Rapid fire panel: label of the first number") \
  X(kRepeatCount, 728,            "Rapid fire panel: label of the second number") \
  X(kRepeatTimes, 729,            "Rapid fire panel: unit of the second number") \
  X(kResetButtonTip, 730,         "Buttons page: tooltip of the reset button") \
  X(kButtonsHint, 731,            "Buttons page: hint under the mouse picture") \
  X(kFunctionTitle, 732,          "Buttons page: title of the function section") \
  X(kMilliseconds, 733,           "Rapid fire panel: unit of the first number") \
  X(kMacroListTitle, 734,         "Macros page: title of the macro list") \
  X(kEventListTitle, 735,         "Macros page: title of the event list") \
  X(kEncodedEvents, 736,          "Macros page: the mouse steps the macro encodes to and the most the mouse stores") \
  X(kRecordsFocusOnly, 737,       "Macros page: keys are recorded only while the window is in front") \
  X(kDelayTitle, 738,             "Macros page: title of the delay choices") \
  X(kDelayNone, 739,              "Macros page: record no delays") \
  X(kDelayRecorded, 740,          "Macros page: record the delays as typed") \
  X(kDelayFixed, 741,             "Macros page: put a fixed delay between events") \
  X(kPlayTitle, 742,              "Macros page: title of the play choices") \
  X(kPlayWhileHeld, 743,          "Macros page: the mouse's first play mode (repeat while held)") \
  X(kPlayToggle, 744,             "Macros page: the mouse's second play mode (play until pressed again)") \
  X(kPlayTimes, 745,              "Macros page: play the macro a number of times") \
  X(kEventEditorTitle, 746,       "Macros page: title of the event editor") \
  X(kEventKindMouse, 747,         "Event editor: event kind mouse button") \
  X(kUpdateAction, 750,           "Device page: install the offered update") \
  X(kDownloadingUpdate, 751,      "Download window: downloading the update (before the percentage)") \
  X(kUpgrading, 752,              "Upgrade window: first text while the firmware upgrade starts") \
  X(kUpdateFailedTitle, 753,      "Title of the message that an update failed") \
  X(kProblemDownload, 754,        "Update failure: the package could not be downloaded") \
  X(kProblemDigestMismatch, 755,  "Update failure: the package does not match its published SHA-256 digest") \
  X(kProblemDigestMissing, 756,   "Update failure: no SHA-256 digest published for a plain-HTTP download") \
  X(kProblemUnpack, 757,          "Update failure: the package is unreadable or lacks the expected file") \
  X(kProblemNoInterface, 758,     "Update failure: the mouse's update interface was not found") \
  X(kProblemStartRefused, 759,    "Update failure: the mouse refused the start of the upgrade") \
  X(kBatteryNotices, 760,         "Settings: notify when the mouse battery runs low") \
  X(kBatteryLowTitle, 761,        "Notification title: the mouse battery runs low") \
  X(kBatteryCharge, 762,          "Notification text before the charge left, in percent") \
  X(kProblemWriteFailed, 763,     "Update failure: a firmware report could not be written") \
  X(kProblemInstallerStart, 764,  "Update failure: the installer could not be opened") \
  X(kUpgradeFailedStep, 765,      "Upgrade window: the upgrade failed (shown instead of the final step)") \
  X(kRenameProfile, 766,          "Profile pop-up: tooltip of the pencil that renames a profile") \
  X(kButtonLeft, 900,             "Button name: left button") \
  X(kButtonRight, 901,            "Button name: right button") \
  X(kButtonMiddle, 902,           "Button name: middle button") \
  X(kButtonForward, 903,          "Button name: forward") \
  X(kButtonBack, 904,             "Button name: back") \
  X(kButtonDpiUp, 905,            "Button name: DPI up") \
  X(kButtonDpiDown, 906,          "Button name: DPI down") \
  X(kButtonDpiCycle, 907,         "Button name: DPI cycle") \
  X(kButtonScrollUp, 908,         "Button name: scroll up") \
  X(kButtonScrollDown, 909,       "Button name: scroll down") \
  X(kButtonRateCycle, 910,        "Button name: report rate cycle") \
  X(kButtonFire, 911,             "Button name: fire button") \
  X(kFactoryLeftClick, 920,       "Factory function description: left click") \
  X(kFactoryRightClick, 921,      "Factory function description: right click") \
  X(kFactoryMiddleClick, 922,     "Factory function description: middle click") \
  X(kFactoryForward, 923,         "Factory function description: forward") \
  X(kFactoryBack, 924,            "Factory function description: back") \
  X(kFactoryDpiUp, 925,           "Factory function description: DPI +") \
  X(kFactoryDpiDown, 926,         "Factory function description: DPI -") \
  X(kFactoryDpiLoop, 927,         "Factory function description: DPI loop") \
  X(kFactoryScrollUp, 928,        "Factory function description: scroll up") \
  X(kFactoryScrollDown, 929,      "Factory function description: scroll down") \
  X(kFactoryRateSwitch, 930,      "Factory function description: report rate switch") \
  X(kFactoryFire, 931,            "Factory function description: fire (repeat left click)")
// clang-format on

namespace korvane::text_id {

#define KORVANE_TEXT_ID_CONSTANT(name, number, what) inline constexpr int name = number;
KORVANE_TEXT_IDS(KORVANE_TEXT_ID_CONSTANT)
#undef KORVANE_TEXT_ID_CONSTANT

struct TextIdEntry {
  int number;
  const char* name;
  const char* what;
};

#define KORVANE_TEXT_ID_ENTRY(name, number, what) TextIdEntry{number, #name, what},
inline constexpr std::array kAll{KORVANE_TEXT_IDS(KORVANE_TEXT_ID_ENTRY)};
#undef KORVANE_TEXT_ID_ENTRY

}  // namespace korvane::text_id
