#pragma once

// Identifiers of the controls of the main window and of the dialogs. Controls
// that react to events are unique within their window and are the keys of the
// event routing; decorative pictures and texts may repeat an id elsewhere.
namespace korvane::ui::ctl {

// Window frame (always visible).
inline constexpr int kBackground = 30;
inline constexpr int kCaptionArea1 = 31;
inline constexpr int kCaptionArea2 = 32;
inline constexpr int kCaptionArea3 = 33;
inline constexpr int kTitle = 35;
inline constexpr int kSubtitle = 36;
inline constexpr int kWebsiteLink = 37;
inline constexpr int kClose = 38;
inline constexpr int kMinimise = 39;
inline constexpr int kSettings = 40;
inline constexpr int kMaximise = 41;
inline constexpr int kBattery = 43;
inline constexpr int kConnectionState = 44;
inline constexpr int kProfileButton = 45;
inline constexpr int kRestoreDefaults = 46;
inline constexpr int kTabBackground = 47;
inline constexpr int kTabStrip = 48;

// Page layouts.
inline constexpr int kHomePage = 49;
inline constexpr int kButtonsPage = 50;
inline constexpr int kPerformancePage = 52;
inline constexpr int kMacroPage = 53;
inline constexpr int kLightingPage = 54;
inline constexpr int kDeviceInfoPage = 55;
inline constexpr int kSettingsPage = 56;

// Home page.
inline constexpr int kLogo = 34;
inline constexpr int kDeviceList = 57;
inline constexpr int kHomePicture = 58;
inline constexpr int kHomeText = 59;
inline constexpr int kDeviceListPrevious = 60;
inline constexpr int kDeviceListNext = 61;

// Buttons page: the button list and the mouse picture with its spots, the
// function section with one chooser per group (mouse, multimedia, macro,
// DPI, special, system) each under its caption, the buttons that open the
// key combination and rapid fire panels and that disable the button.
inline constexpr int kButtonListTitle = 64;
inline constexpr int kButtonsHint = 66;
inline constexpr int kRestoreButtons = 67;
inline constexpr int kButtonList = 68;
inline constexpr int kFunctionTitle = 70;
inline constexpr int kResetButton = 71;
inline constexpr int kMouseGroupCaption = 72;
inline constexpr int kFunctionChooser1 = 73;
inline constexpr int kMultimediaGroupCaption = 74;
inline constexpr int kFunctionChooser2 = 75;
inline constexpr int kMacroGroupCaption = 76;
inline constexpr int kFunctionChooser3 = 77;
inline constexpr int kDpiGroupCaption = 78;
inline constexpr int kFunctionChooser4 = 79;
inline constexpr int kSpecialGroupCaption = 80;
inline constexpr int kFunctionChooser5 = 81;
inline constexpr int kSystemGroupCaption = 82;
inline constexpr int kFunctionChooser6 = 83;
inline constexpr int kOpenKeyCapture = 85;
inline constexpr int kOpenRepeatPanel = 87;
inline constexpr int kAssignDisabled = 89;
// The key combination panel (90) and the rapid fire panel (99).
inline constexpr int kKeyPanel = 90;
inline constexpr int kKeyPanelClose = 91;
inline constexpr int kKeyPanelTitle = 92;
inline constexpr int kKeyField = 93;
inline constexpr int kModifierCtrl = 94;
inline constexpr int kModifierWin = 95;
inline constexpr int kModifierAlt = 96;
inline constexpr int kModifierShift = 97;
inline constexpr int kKeyConfirm = 98;
inline constexpr int kRepeatPanel = 99;
inline constexpr int kRepeatLabel1 = 100;
inline constexpr int kRepeatUnit1 = 101;
inline constexpr int kRepeatField1 = 102;
inline constexpr int kRepeatLabel2 = 103;
inline constexpr int kRepeatUnit2 = 104;
inline constexpr int kRepeatField2 = 105;
inline constexpr int kRepeatConfirm = 106;
inline constexpr int kRepeatPanelClose = 107;
inline constexpr int kMousePicture = 108;
inline constexpr int kRepeatPanelTitle = 109;

// Performance page. The sections in order, each a titled card; the lift-off
// and sensor sections are areas the page hides for models without them.
inline constexpr int kDpiTitle = 111;
inline constexpr int kDpiSubtitle = 113;
inline constexpr int kDpiHelp = 114;
inline constexpr int kDpiReset = 115;
inline constexpr int kDpiLevels = 116;
inline constexpr int kDpiSlider = 117;
inline constexpr int kDpiApply = 118;
inline constexpr int kDpiCountLabel = 119;
inline constexpr int kDpiCount = 120;
inline constexpr int kReportRateTitle = 122;
inline constexpr int kReportRateHelp = 123;
inline constexpr int kReportRateReset = 124;
inline constexpr int kReportRate = 125;
inline constexpr int kLiftOffSection = 126;
inline constexpr int kLiftOffTitle = 127;
inline constexpr int kLiftOffHelp = 128;
inline constexpr int kLiftOff1mm = 129;
inline constexpr int kLiftOff2mm = 130;
inline constexpr int kSensorSection = 131;
inline constexpr int kSensorTitle = 132;
inline constexpr int kSensorHelp = 133;
inline constexpr int kSensorOption1 = 134;
inline constexpr int kSensorOption2 = 135;
inline constexpr int kSensorOption3 = 136;
inline constexpr int kResponseTitle = 138;
inline constexpr int kResponseTime = 139;
inline constexpr int kResponseUnit = 140;
inline constexpr int kPowerTitle = 141;
inline constexpr int kSleepLabel = 142;
inline constexpr int kMoveWakeup = 143;
inline constexpr int kMoveLightOff = 144;
inline constexpr int kSleepTime = 145;
inline constexpr int kPointerTitle = 147;
inline constexpr int kPointerPicture = 148;
inline constexpr int kSystemMouseSettings = 149;

// Macro page. The delay choices are none, recorded and fixed; the play
// choices the mouse's two play modes and a number of times. The event editor
// shows the kind of the selected event and, by kind, the key field, the
// delay field or the mouse action chooser.
inline constexpr int kMacroListTitle = 155;
inline constexpr int kMacroList = 156;
inline constexpr int kMacroCreate = 157;
inline constexpr int kMacroDelete = 158;
inline constexpr int kEventListTitle = 163;
inline constexpr int kEncodedEvents = 164;
inline constexpr int kRecordNotice = 165;
inline constexpr int kEventList = 166;
inline constexpr int kEventInsert = 167;
inline constexpr int kEventDelete = 168;
inline constexpr int kEventClear = 169;
inline constexpr int kRecord = 172;
inline constexpr int kDelayTitle = 173;
inline constexpr int kDelayNone = 174;
inline constexpr int kDelayRecorded = 175;
inline constexpr int kDelayFixed = 176;
inline constexpr int kDelayField = 178;
inline constexpr int kDelayUnit = 179;
inline constexpr int kPlayTitle = 180;
inline constexpr int kPlayWhileHeld = 181;
inline constexpr int kPlayToggle = 182;
inline constexpr int kPlayTimes = 183;
inline constexpr int kPlayTimesField = 184;
inline constexpr int kEventEditor = 185;
inline constexpr int kEventKind = 186;
inline constexpr int kEventKeyField = 187;
inline constexpr int kEventAction = 188;
inline constexpr int kEventDelayField = 189;
inline constexpr int kEventUp = 190;
inline constexpr int kEventDown = 191;
inline constexpr int kEventEditorTitle = 192;

// Lighting page. The brightness, speed, slot and colour groups are areas
// the page shows or hides by what the selected mode offers.
inline constexpr int kLightTitle = 194;
inline constexpr int kLightMouse = 195;  // the picture of the mouse with its light on
inline constexpr int kLightModeLabel = 196;
inline constexpr int kLightMode = 197;
inline constexpr int kLightColourTitle = 200;
inline constexpr int kLightReset = 201;
inline constexpr int kBrightnessValue = 203;
inline constexpr int kBrightness = 204;
inline constexpr int kSpeedValue = 206;
inline constexpr int kSpeed = 207;
inline constexpr int kPresetLabel = 208;
inline constexpr int kPresetColourFirst = 209;
inline constexpr int kPresetColourLast = 216;
inline constexpr int kSlotsLabel = 217;
inline constexpr int kColourSlotFirst = 218;
inline constexpr int kColourSlotLast = 224;
inline constexpr int kPaletteLabel = 225;
inline constexpr int kLightPalette = 226;
inline constexpr int kLightPreview = 227;
inline constexpr int kLightRedLabel = 228;
inline constexpr int kLightGreenLabel = 229;
inline constexpr int kLightBlueLabel = 230;
inline constexpr int kLightRed = 231;
inline constexpr int kLightGreen = 232;
inline constexpr int kLightBlue = 233;
inline constexpr int kBrightnessSection = 234;
inline constexpr int kSpeedSection = 235;
inline constexpr int kSlotsSection = 236;
inline constexpr int kColourSection = 237;

// Device and update information page.
inline constexpr int kDeviceInfoTitle = 241;
inline constexpr int kFirmwareVersionLabel = 243;
inline constexpr int kSoftwareVersionLabel = 244;
inline constexpr int kFirmwareVersion = 245;
inline constexpr int kSoftwareVersion = 246;
inline constexpr int kDeviceVersionNote = 247;
inline constexpr int kCheckFirmware = 248;
inline constexpr int kCheckSoftware = 249;
inline constexpr int kDeviceRestoreDefaults = 250;
inline constexpr int kFirmwareOffer = 251;    // what the last firmware check found
inline constexpr int kSoftwareOffer = 252;    // what the last software check found
inline constexpr int kUpgradeFirmware = 253;  // installs the offered firmware
inline constexpr int kInstallSoftware = 254;  // installs the offered program

// Settings page.
inline constexpr int kSettingsReturn = 273;
inline constexpr int kSettingsTitle = 274;
inline constexpr int kLanguageHeading = 275;
inline constexpr int kSettingsCheckSoftware = 276;
inline constexpr int kSettingsRestoreDefaults = 277;
inline constexpr int kSettingsUpdateHeading = 278;
inline constexpr int kLanguageList = 279;
inline constexpr int kStartupHeading = 280;
inline constexpr int kAutostart = 281;
inline constexpr int kStartMinimised = 282;
inline constexpr int kBatteryNotices = 283;
inline constexpr int kExitModeHeading = 285;
inline constexpr int kExitHidesToTray = 286;
inline constexpr int kExitEndsProgram = 287;
inline constexpr int kLinksHeading = 288;
inline constexpr int kWebsite = 289;
inline constexpr int kFeedback = 290;
inline constexpr int kQuestions = 291;

// Item ids of the tab strip.
namespace tab {
inline constexpr int kHome = 1;
inline constexpr int kButtons = 2;
inline constexpr int kPerformance = 3;
inline constexpr int kMacros = 4;
inline constexpr int kLighting = 5;
inline constexpr int kDevice = 7;
}  // namespace tab

// CUIMessageBox.
namespace message_box {
inline constexpr int kTitle = 31;
inline constexpr int kMessage = 32;
inline constexpr int kConfirm = 33;
inline constexpr int kCancel = 34;
}  // namespace message_box

// MousePaletteDlg.
namespace palette {
inline constexpr int kClose = 31;
inline constexpr int kPalette = 32;
inline constexpr int kPreview = 33;
inline constexpr int kRedLabel = 34;
inline constexpr int kGreenLabel = 35;
inline constexpr int kBlueLabel = 36;
inline constexpr int kRed = 37;
inline constexpr int kGreen = 38;
inline constexpr int kBlue = 39;
inline constexpr int kPresetFirst = 40;
inline constexpr int kPresetLast = 47;
inline constexpr int kConfirm = 48;
}  // namespace palette

// DPIMsgDlg.
namespace dpi_tip {
inline constexpr int kClose = 30;
inline constexpr int kValue = 31;
inline constexpr int kUnit = 32;
inline constexpr int kBar = 33;
}  // namespace dpi_tip

// UpdateProcessDlg: the download of a software update.
namespace download_window {
inline constexpr int kText = 31;
inline constexpr int kBar = 32;
inline constexpr int kCancel = 33;
}  // namespace download_window

// UpdateTipDlg: the firmware upgrade.
namespace upgrade_window {
inline constexpr int kText = 31;
inline constexpr int kBar = 32;
}  // namespace upgrade_window

// SaveWaitDlg.
namespace save_tip {
inline constexpr int kLogo = 31;
inline constexpr int kText = 32;
inline constexpr int kBar = 33;
}  // namespace save_tip

// ProfileDlg.
namespace profile {
inline constexpr int kList = 31;
inline constexpr int kImport = 32;
inline constexpr int kExport = 33;
}  // namespace profile

// AboutDlg.
namespace about {
inline constexpr int kClose = 30;
inline constexpr int kLogo = 32;
inline constexpr int kDeviceVersion = 33;
inline constexpr int kFirmwareVersion = 34;
inline constexpr int kCopyright = 35;
}  // namespace about

// RecordEditDlg.
namespace record_edit {
inline constexpr int kTitle = 31;
inline constexpr int kClose = 32;
inline constexpr int kLabel = 33;
inline constexpr int kField = 34;
inline constexpr int kConfirm = 35;
}  // namespace record_edit

}  // namespace korvane::ui::ctl
