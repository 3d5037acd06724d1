// The performance and lighting pages driven through the controller's routing,
// down to what the virtual mouse receives.
#include <sqlite3.h>

#include <algorithm>
#include <ostream>

#include "controller_fixture.hpp"
#include "device/report_format.hpp"
#include "performance/dpi_model.hpp"
#include "performance/settings_target.hpp"
#include "store/config_store.hpp"
#include "store/light_table.hpp"
#include "ui/event_codes.hpp"
#include "ui/message_box.hpp"
#include "ui/window_messages.hpp"
#include "worker/device_worker.hpp"

namespace korvane::ui {

void PrintTo(const LightingPreview& preview, std::ostream* out) {
  *out << "effect " << static_cast<int>(preview.effect) << ", colours";
  for (const int colour : preview.colours) *out << ' ' << std::hex << colour << std::dec;
  *out << ", brightness " << preview.brightness << ", speed " << preview.speed;
}

}  // namespace korvane::ui

namespace korvane::test {
namespace {

using namespace ui::ctl;

class FeaturePagesTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    for (const int box : {kSensorOption1, kSensorOption2, kSensorOption3, kMoveWakeup, kMoveLightOff}) {
      toolkit.AddCheckBox(box);
    }
    toolkit.AddControl(kLiftOff1mm, "IDC_PER_STC_LOD");
    toolkit.AddControl(kLiftOff2mm, "IDC_PER_STC_LOD");
    for (int id = kColourSlotFirst; id <= kColourSlotLast; ++id) toolkit.AddControl(id, "COLORVALUE");
    for (int id = kPresetColourFirst; id <= kPresetColourLast; ++id) toolkit.AddControl(id, "DEFAULTCOLOR");
    for (const int control : {kDpiReset, kReportRateReset, kLightReset, kSystemMouseSettings, kResponseTime, kLightRed,
                              kLightGreen, kLightBlue, kLightPalette, kLiftOffSection, kSensorSection, kMoveLightOff,
                              kBrightnessSection, kSpeedSection, kSlotsSection, kColourSection}) {
      toolkit.AddControl(control);
    }
  }

  int Key(ConfigKey key) { return ConfigInt(controller->Store(), Profile(), key); }

  bool DpiTipShown() const { return toolkit.Window(ui::WindowId::kDpiTip).state != ui::WindowState::kHidden; }
  void HideTips() {
    toolkit.ShowWindow(ui::WindowId::kSaveTip, ui::WindowState::kHidden);
    toolkit.ShowWindow(ui::WindowId::kDpiTip, ui::WindowState::kHidden);
  }

  LightSetting Row(int mode) {
    LightSetting row;
    LoadLightRow(controller->Store(), Profile(), mode, row);
    return row;
  }

  int LightModeIndex(int mode) const {
    const auto items = toolkit.Items(kLightMode);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].data == mode) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(FeaturePagesTest, PagesFollowTheModelSensorAndRateCapability) {
  struct Case {
    std::string model;
    int slider_low, slider_high;
    std::string caption_low, caption_high;
    std::size_t rates;
    bool lift_off, lighting;
    std::size_t light_modes;
  };
  for (const Case& c : {Case{"korvane_arc_8k", 2, 640, "100", "32000", 7, true, true, 6},
                        Case{"korvane_arc_mini", 0, 174, "100", "30000", 4, true, true, 4},
                        Case{"korvane_slate", 0, 80, "100", "8000", 4, false, false, 0}}) {
    SCOPED_TRACE(c.model);
    TearDown();
    controller.reset();
    finished.clear();
    toolkit.ClearItems(kLightMode);
    Connect(c.model);
    const auto& slider = toolkit.State(kDpiSlider);
    EXPECT_EQ(slider.lowest, c.slider_low);
    EXPECT_EQ(slider.highest, c.slider_high);
    EXPECT_EQ(slider.low_caption, c.caption_low);
    EXPECT_EQ(slider.high_caption, c.caption_high);
    EXPECT_EQ(toolkit.Items(kReportRate).size(), c.rates);
    EXPECT_EQ(toolkit.IsVisible(kLiftOffSection), c.lift_off);
    EXPECT_TRUE(toolkit.IsVisible(kSensorSection));
    EXPECT_EQ(toolkit.IsVisible(kMoveLightOff), c.lighting) << "the lighting-only power option";
    // The level list shows the mouse's levels, read back at the connection.
    const auto levels = toolkit.Items(kDpiLevels);
    EXPECT_EQ(static_cast<int>(levels.size()), Key(ConfigKey::kDpiCount));
    ASSERT_GE(toolkit.Selection(kDpiLevels), 0);
    EXPECT_EQ(levels[toolkit.Selection(kDpiLevels)].data, Key(DpiValueKey(Key(ConfigKey::kDpiIndex))));
    // A model without lighting hides the tab and never fills the page.
    const auto tabs = toolkit.Items(kTabStrip);
    const auto lighting_tab =
        std::find_if(tabs.begin(), tabs.end(), [](const ui::ListItem& tab) { return tab.data == tab::kLighting; });
    ASSERT_NE(lighting_tab, tabs.end());
    EXPECT_EQ(toolkit.State(kTabStrip).item_visible[lighting_tab - tabs.begin()], c.lighting);
    EXPECT_EQ(toolkit.Items(kLightMode).size(), c.light_modes);
    for (const auto id : bus.Devices()) bus.Unplug(id);
  }
}

// A model whose definition hides the sensor options hides their section
// (title, help and the three boxes) and shows it again when a model has them.
TEST_F(FeaturePagesTest, AModelWithoutSensorOptionsHidesTheirSection) {
  Connect("korvane_arc_8k");
  ASSERT_TRUE(toolkit.IsVisible(kSensorSection));
  DeviceModel model = controller->Model().Get();
  model.sensor_shown = false;
  controller->Model().Set(model);
  controller->Hooks().Refresh(korvane::kPerformancePage);
  EXPECT_FALSE(toolkit.IsVisible(kSensorSection));
  model.sensor_shown = true;
  controller->Model().Set(model);
  controller->Hooks().Refresh(korvane::kPerformancePage);
  EXPECT_TRUE(toolkit.IsVisible(kSensorSection));
}

TEST_F(FeaturePagesTest, ReportRateClickReachesTheMouse) {
  Connect("korvane_arc_8k");
  const auto rates = toolkit.Items(kReportRate);
  ASSERT_EQ(rates.size(), 7u);
  EXPECT_EQ(rates[6].text, "8000Hz");
  EXPECT_EQ(rates[6].data, 64);
  const std::size_t before = LogSize();
  ASSERT_TRUE(toolkit.Choose(kReportRate, 6));
  Drain();
  EXPECT_EQ(Key(ConfigKey::kReportRate), 64);
  EXPECT_EQ(Key(ConfigKey::kReportRateWireless), 64);
  EXPECT_EQ(CommandsSince(before), std::vector<int>{report::kReportRate});
  EXPECT_EQ(bus.State(mouse).settings.report_rate, 64);
  EXPECT_TRUE(SaveTipShown());
}

// A click whose change the settings store does not take is taken back from
// the queue and the user is told; should the worker have started on it
// already, it cannot read the setting and sends nothing. The mouse keeps its
// rate either way.
TEST_F(FeaturePagesTest, AChangeTheStoreRefusesIsNotSentAndIsReported) {
  Connect("korvane_arc_8k");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(controller->Store().Path().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "DROP TABLE t_configdata", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(other);
  const int rate_before = bus.State(mouse).settings.report_rate;
  const std::size_t before = LogSize();
  bool told = false;
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    told = true;
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
  });
  ASSERT_TRUE(toolkit.Choose(kReportRate, 6));
  EXPECT_TRUE(told);
  EXPECT_EQ(ShownTitle(), Text(703));
  EXPECT_EQ(ShownMessage(), Text(702));
  EXPECT_FALSE(SaveTipShown());
  Drain();
  EXPECT_FALSE(Succeeded(kTaskReportRate));
  EXPECT_TRUE(CommandsSince(before).empty());
  EXPECT_EQ(bus.State(mouse).settings.report_rate, rate_before);
}

TEST_F(FeaturePagesTest, DpiLevelsFromTheListSliderCountAndPalette) {
  Connect("korvane_arc_8k");  // sensor 150: slider index = DPI / 50
  ASSERT_TRUE(toolkit.Choose(kDpiCount, 5));
  ASSERT_TRUE(toolkit.Deliver(kDpiLevels, ui::event::kLevelSelected, 5));
  Drain();
  ASSERT_EQ(Key(ConfigKey::kDpiIndex), 5);
  HideTips();

  // Fewer levels than the active one: the last level becomes active.
  ASSERT_TRUE(toolkit.Choose(kDpiCount, 2));
  Drain();
  EXPECT_EQ(Key(ConfigKey::kDpiCount), 3);
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), 2);
  EXPECT_EQ(toolkit.Items(kDpiLevels).size(), 3u);
  EXPECT_EQ(toolkit.Selection(kDpiLevels), 2);
  EXPECT_EQ(bus.State(mouse).settings.dpi_count, 3);
  EXPECT_EQ(bus.State(mouse).settings.dpi_index, 2);

  // Selecting another level moves the slider and shows both tips.
  ASSERT_TRUE(toolkit.Deliver(kDpiLevels, ui::event::kLevelSelected, 0));
  EXPECT_EQ(toolkit.Value(kDpiSlider), Key(ConfigKey::kDpiGroup0Value) / 50);
  EXPECT_TRUE(DpiTipShown());
  EXPECT_TRUE(SaveTipShown());

  // A typed value is snapped and shown; the slider sets a value at once and
  // sends it on release.
  auto items = toolkit.Items(kDpiLevels);
  items[0].text = "1234";
  toolkit.SetItem(kDpiLevels, 0, items[0]);
  ASSERT_TRUE(toolkit.Deliver(kDpiLevels, ui::event::kValueTyped, 0));
  EXPECT_EQ(toolkit.Items(kDpiLevels)[0].text, "1200");
  EXPECT_EQ(Key(ConfigKey::kDpiGroup0Value), 1200);
  Drain();
  const std::size_t before = LogSize();
  ASSERT_TRUE(toolkit.Deliver(kDpiSlider, ui::event::kSliderMoving, 64));
  EXPECT_EQ(Key(ConfigKey::kDpiGroup0Value), 3200);
  Drain();
  EXPECT_TRUE(CommandsSince(before).empty());
  ASSERT_TRUE(toolkit.Deliver(kDpiSlider, ui::event::kClick, 64));
  Drain();
  EXPECT_EQ(CommandsSince(before), std::vector<int>{report::kDpiLevels});
  EXPECT_EQ(bus.State(mouse).settings.dpi_codes[0], 3200 / 50 - 1);

  // The palette: black is its cancel, so the colour stays; a colour is sent.
  const int colour = Key(ConfigKey::kDpiGroup1Rgb);
  toolkit.ScriptModal(ui::WindowId::kPalette, [&] {
    toolkit.Deliver({ui::WindowId::kPalette, palette::kPalette}, ui::event::kClick, 0);
    toolkit.Click({ui::WindowId::kPalette, palette::kConfirm});
  });
  ASSERT_TRUE(toolkit.Deliver(kDpiLevels, ui::event::kColourSwatch, 1));
  EXPECT_EQ(Key(ConfigKey::kDpiGroup1Rgb), colour);
  toolkit.ScriptModal(ui::WindowId::kPalette, [&] {
    toolkit.Deliver({ui::WindowId::kPalette, palette::kPalette}, ui::event::kClick, 0x00FF80);
    toolkit.Click({ui::WindowId::kPalette, palette::kConfirm});
  });
  ASSERT_TRUE(toolkit.Deliver(kDpiLevels, ui::event::kColourSwatch, 1));
  Drain();
  EXPECT_EQ(Key(ConfigKey::kDpiGroup1Rgb), 0x00FF80);
  EXPECT_EQ(toolkit.Items(kDpiLevels)[1].colour, 0x00FF80);
  EXPECT_EQ((bus.State(mouse).settings.dpi_colours[1]), (sim::Colour{0x80, 0xFF, 0x00}));
}

TEST_F(FeaturePagesTest, MouseDpiButtonUpdatesThePageOnlyWhenItChangesSomething) {
  Connect("korvane_arc_8k");
  // The worker reads the button's report in its idle step, after the tasks
  // queued before it, so the test waits for the page to have seen it.
  int reports = 0;
  controller->Hooks().OnDpiButton([&](int, int) { ++reports; });
  const int count = Key(ConfigKey::kDpiCount);
  const int index = Key(ConfigKey::kDpiIndex);
  ASSERT_GE(count, 3);
  HideTips();
  // Repeating what is shown changes nothing and shows no tip.
  ASSERT_TRUE(bus.PressDpiButton(mouse, count, index));
  ASSERT_TRUE(PumpUntil([&] { return reports == 1; }));
  EXPECT_FALSE(DpiTipShown());
  EXPECT_EQ(toolkit.Items(kDpiLevels).size(), static_cast<std::size_t>(count));
  EXPECT_EQ(toolkit.Selection(kDpiLevels), index);

  // Both changed: the list is rebuilt for the new count, then the level selected.
  const int new_index = index == 0 ? 1 : 0;
  ASSERT_TRUE(bus.PressDpiButton(mouse, 2, new_index));
  ASSERT_TRUE(PumpUntil([&] { return reports == 2; }));
  EXPECT_EQ(toolkit.Items(kDpiLevels).size(), 2u);
  EXPECT_EQ(toolkit.Selection(kDpiLevels), new_index);
  EXPECT_EQ(Key(ConfigKey::kDpiCount), 2);
  EXPECT_EQ(Key(ConfigKey::kDpiIndex), new_index);
  EXPECT_TRUE(DpiTipShown());
}

TEST_F(FeaturePagesTest, SensorPowerAndResponseTime) {
  Connect("korvane_arc_8k");
  // Typing stores the clamped value and sends nothing until the commit.
  std::size_t before = LogSize();
  ASSERT_TRUE(toolkit.Type(kResponseTime, "25"));
  EXPECT_EQ(toolkit.GetText(kResponseTime), "20");
  EXPECT_EQ(Key(ConfigKey::kButtonRespondTime), 20);
  ASSERT_TRUE(toolkit.Type(kResponseTime, "-3"));
  EXPECT_EQ(toolkit.GetText(kResponseTime), "0");
  ASSERT_TRUE(toolkit.Type(kResponseTime, "12"));
  Drain();
  EXPECT_TRUE(CommandsSince(before).empty());
  ASSERT_TRUE(toolkit.Deliver(kResponseTime, ui::event::kClick));
  Drain();
  EXPECT_EQ(CommandsSince(before), std::vector<int>{report::kPower});
  EXPECT_EQ(bus.State(mouse).settings.response, 12);

  // Sensor boxes rebuild the whole flag from the three boxes.
  SetConfigInt(controller->Store(), Profile(), ConfigKey::kSensorFlag, 53);
  toolkit.SetChecked(kSensorOption1, true);
  toolkit.SetChecked(kSensorOption2, false);
  toolkit.SetChecked(kSensorOption3, false);
  ASSERT_TRUE(toolkit.Click(kSensorOption3));
  EXPECT_EQ(Key(ConfigKey::kSensorFlag), 20);
  Drain();

  before = LogSize();
  ASSERT_TRUE(toolkit.Click(kLiftOff2mm));
  ASSERT_TRUE(toolkit.Choose(kSleepTime, 3));
  ASSERT_TRUE(toolkit.Click(kMoveWakeup));
  Drain();
  EXPECT_EQ(Key(ConfigKey::kLiftOffHeight), 2);
  EXPECT_EQ(Key(ConfigKey::kSleepLight), 60);
  EXPECT_EQ(Key(ConfigKey::kMoveWakeup), toolkit.IsChecked(kMoveWakeup) ? 1 : 0);
  EXPECT_EQ(CommandsSince(before), (std::vector<int>{report::kLiftOffSensor, report::kPower, report::kPower}));
  EXPECT_EQ(bus.State(mouse).settings.liftoff, 2);
  EXPECT_EQ(bus.State(mouse).settings.sleep, 60);

  // The page reloads what is stored: a box is checked when its setting is 1.
  controller->Hooks().Refresh(korvane::kPerformancePage);
  EXPECT_TRUE(toolkit.IsChecked(kLiftOff2mm));
  EXPECT_FALSE(toolkit.IsChecked(kLiftOff1mm));
  EXPECT_EQ(toolkit.IsChecked(kMoveWakeup), Key(ConfigKey::kMoveWakeup) == 1);
  EXPECT_EQ(toolkit.Items(kSleepTime)[toolkit.Selection(kSleepTime)].data, 60);
}

TEST_F(FeaturePagesTest, ResetsAskFirst) {
  Connect("korvane_arc_8k");
  struct Case {
    int control;
    int title;
    TaskCode task;
  };
  for (const Case& c : {Case{kDpiReset, 253, kTaskDpiReset}, Case{kLightReset, 276, kTaskLightingRestore}}) {
    finished.clear();
    toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
      toolkit.Click({ui::WindowId::kMessageBox, message_box::kCancel});
    });
    ASSERT_TRUE(toolkit.Click(c.control));
    EXPECT_EQ(ShownTitle(), Text(c.title));
    Drain();
    EXPECT_FALSE(Ran(c.task));
    toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
      toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
    });
    ASSERT_TRUE(toolkit.Click(c.control));
    Drain();
    EXPECT_TRUE(Succeeded(c.task));
  }
}

TEST_F(FeaturePagesTest, LightingModesShowWhatTheyOfferAndColoursGoWhereTheModeKeepsThem) {
  Connect("korvane_arc_8k");
  struct Case {
    int mode;
    bool brightness, speed, slots, colour;
  };
  for (const Case& c : {Case{1, true, true, false, false}, Case{2, true, true, true, true},
                        Case{3, true, false, false, true}, Case{0, false, false, false, false}}) {
    SCOPED_TRACE(c.mode);
    const std::size_t before = LogSize();
    ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(c.mode)));
    Drain();
    EXPECT_EQ(toolkit.IsVisible(kBrightnessSection), c.brightness);
    EXPECT_EQ(toolkit.IsVisible(kSpeedSection), c.speed);
    EXPECT_EQ(toolkit.IsVisible(kSlotsSection), c.slots);
    EXPECT_EQ(toolkit.IsVisible(kColourSection), c.colour);
    EXPECT_EQ(CommandsSince(before), std::vector<int>{report::kLighting});
    EXPECT_EQ(bus.State(mouse).settings.lighting.mode, c.mode);
    EXPECT_EQ(LoadActiveLightMode(controller->Store(), Profile()), c.mode);
  }

  // Mode 3 keeps one colour: a preset sets colour 1 only.
  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(3)));
  const LightSetting mode3 = Row(3);
  ASSERT_TRUE(toolkit.Click(kPresetColourFirst + 2));  // (0, 12, 255)
  EXPECT_EQ(toolkit.GetText(kLightGreen), "12");
  LightSetting expected = mode3;
  expected.color_value[0] = 0 + 256 * 12 + 65536 * 255;
  EXPECT_EQ(Row(3), expected);

  // Mode 2 has seven slots: the colour goes to the selected slot.
  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(2)));
  const LightSetting mode2 = Row(2);
  ASSERT_TRUE(toolkit.Click(kColourSlotFirst + 4));
  ASSERT_TRUE(toolkit.Click(kPresetColourFirst));  // red
  expected = mode2;
  expected.color_value[4] = 255;
  EXPECT_EQ(Row(2), expected);
  EXPECT_EQ(toolkit.Colour(kColourSlotFirst + 4), 255);

  // A field past 255 is shown as 255; the colour of the three fields applies.
  ASSERT_TRUE(toolkit.Type(kLightGreen, "300"));
  EXPECT_EQ(toolkit.GetText(kLightGreen), "255");
  EXPECT_EQ(Row(2).color_value[4], 255 + 256 * 255);

  // Brightness and speed: the caption follows the drag, the release stores.
  ASSERT_TRUE(toolkit.Deliver(kSpeed, ui::event::kSliderMoving, 3));
  EXPECT_EQ(toolkit.GetText(kSpeedValue), Text(279) +
                                              "\xEF\xBC\x9A"
                                              "3");
  EXPECT_EQ(Row(2).speed, mode2.speed);
  ASSERT_TRUE(toolkit.Deliver(kSpeed, ui::event::kClick, 3));
  ASSERT_TRUE(toolkit.Deliver(kBrightness, ui::event::kClick, 2));
  EXPECT_EQ(toolkit.GetText(kBrightnessValue), Text(278) + ": 50%");
  Drain();
  EXPECT_EQ(Row(2).speed, 3);
  EXPECT_EQ(Row(2).brightness, 2);
  EXPECT_EQ(bus.State(mouse).settings.lighting.speed, 3);
  EXPECT_EQ(bus.State(mouse).settings.lighting.brightness, 2);
}

// The lit mouse shows the selected mode: its effect, the colours it keeps
// (all seven slots, colour 1 alone, none for the spectrum modes), and the
// brightness and speed it has, in percent; the others full and still.
TEST_F(FeaturePagesTest, TheLitMouseShowsTheModeWithItsColoursBrightnessAndSpeed) {
  Connect("korvane_arc_8k");
  using ui::LightEffect;
  constexpr int kRed = 255;
  constexpr int kBlue = 255 << 16;
  const std::vector<int> slots{kRed, 0x00FF00, kBlue, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
  struct Case {
    int mode, brightness, speed;
    ui::LightingPreview shown;
  };
  for (const Case& c :
       {Case{1, 1, 3, {LightEffect::kFlow, {}, 25, 75}}, Case{2, 2, 0, {LightEffect::kBreathing, slots, 50, 0}},
        Case{3, 3, 4, {LightEffect::kSteady, {kRed}, 75, 0}}, Case{4, 4, 1, {LightEffect::kNeon, {}, 100, 25}},
        Case{5, 0, 4, {LightEffect::kRainbowWave, {}, 0, 100}}, Case{0, 4, 4, {LightEffect::kOff, {}, 0, 0}}}) {
    SCOPED_TRACE(c.mode);
    ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(c.mode)));
    toolkit.Deliver(kBrightness, ui::event::kClick, c.brightness);
    toolkit.Deliver(kSpeed, ui::event::kClick, c.speed);
    EXPECT_EQ(toolkit.State(kLightMouse).lighting, c.shown);
  }

  // A colour reaches the lit mouse in the slot being edited, while it is
  // still being picked in the palette and when it is applied; so do
  // brightness and speed while their sliders are dragged.
  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(2)));
  ASSERT_TRUE(toolkit.Click(kColourSlotFirst + 4));
  ASSERT_TRUE(toolkit.Deliver(kLightPalette, ui::event::kPaletteMoving, kBlue));
  std::vector<int> picked = slots;
  picked[4] = kBlue;
  EXPECT_EQ(toolkit.State(kLightMouse).lighting, (ui::LightingPreview{LightEffect::kBreathing, picked, 50, 0}));
  ASSERT_TRUE(toolkit.Deliver(kBrightness, ui::event::kSliderMoving, 1));
  EXPECT_EQ(toolkit.State(kLightMouse).lighting, (ui::LightingPreview{LightEffect::kBreathing, slots, 25, 0}));
  ASSERT_TRUE(toolkit.Deliver(kSpeed, ui::event::kSliderMoving, 4));
  EXPECT_EQ(toolkit.State(kLightMouse).lighting, (ui::LightingPreview{LightEffect::kBreathing, slots, 50, 100}));
  const LightSetting stored = Row(2);
  EXPECT_EQ(stored.color_value[4], slots[4]);
  EXPECT_EQ(stored.brightness, 2);
  EXPECT_EQ(stored.speed, 0) << "nothing is stored before the release";
  ASSERT_TRUE(toolkit.Click(kPresetColourFirst));  // red
  picked[4] = kRed;
  EXPECT_EQ(toolkit.State(kLightMouse).lighting.colours, picked);

  // Another profile shows its own active mode (the first, flowing, at the defaults).
  controller->OnWindowMessage(ui::msg::kProfileRequest, 0, 3);
  Drain();
  ASSERT_EQ(Profile(), 3);
  EXPECT_EQ(toolkit.State(kLightMouse).lighting, (ui::LightingPreview{LightEffect::kFlow, {}, 100, 50}));
}

// The ringed colour slot is the one the colour editor edits: the one clicked,
// and the first again when the mode or the profile changes, where the editor
// starts from colour 1.
TEST_F(FeaturePagesTest, TheRingedSlotIsTheOneTheEditorEdits) {
  Connect("korvane_arc_8k");
  const auto ringed = [&] {
    std::vector<int> checked;
    for (int id = kColourSlotFirst; id <= kColourSlotLast; ++id) {
      if (toolkit.IsChecked(id)) checked.push_back(id - kColourSlotFirst);
    }
    return checked;
  };
  const auto editor_shows = [&](int slot) {
    EXPECT_EQ(toolkit.Colour(kLightPalette), Row(2).color_value[slot]);
    EXPECT_EQ(toolkit.Colour(kLightPreview), Row(2).color_value[slot]);
  };
  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(2)));
  EXPECT_EQ(ringed(), std::vector<int>{0});
  editor_shows(0);
  ASSERT_TRUE(toolkit.Click(kColourSlotFirst + 5));
  EXPECT_EQ(ringed(), std::vector<int>{5});
  editor_shows(5);

  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(3)));
  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(2)));
  EXPECT_EQ(ringed(), std::vector<int>{0});
  editor_shows(0);

  ASSERT_TRUE(toolkit.Click(kColourSlotFirst + 3));
  controller->OnWindowMessage(ui::msg::kProfileRequest, 0, 2);
  Drain();
  ASSERT_TRUE(toolkit.Choose(kLightMode, LightModeIndex(2)));
  EXPECT_EQ(ringed(), std::vector<int>{0});
  editor_shows(0);
}

TEST_F(FeaturePagesTest, ProfileSwitchWritesEveryCommandInOrder) {
  Connect("korvane_arc_8k");
  const std::size_t before = LogSize();
  controller->OnWindowMessage(ui::msg::kProfileRequest, 0, 3);
  Drain();
  EXPECT_EQ(Profile(), 3);
  EXPECT_EQ(CommandsSince(before),
            (std::vector<int>{report::kButtons, report::kLighting, report::kDpiLevels, report::kDpiColours,
                              report::kReportRate, report::kLiftOffSensor, report::kPower}));
  // The pages show the new profile.
  EXPECT_EQ(toolkit.Items(kDpiLevels).size(), static_cast<std::size_t>(Key(ConfigKey::kDpiCount)));
  EXPECT_EQ(toolkit.GetText(kProfileButton), Text(61) + " 3");
}

// The desktop's mouse settings open from the page at once, without waiting
// behind the worker's tasks; a desktop without them is told so.
TEST_F(FeaturePagesTest, MouseSettingsOpenAtOnceOrSayThereAreNone) {
  Connect("korvane_arc_8k");
  bool message_shown = false;
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    message_shown = true;
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
  });
  ASSERT_TRUE(toolkit.Click(kSystemMouseSettings));
  EXPECT_EQ(mouse_settings_opened, 1);
  EXPECT_FALSE(message_shown);

  mouse_settings_installed = false;
  ASSERT_TRUE(toolkit.Click(kSystemMouseSettings));
  EXPECT_EQ(mouse_settings_opened, 2);
  EXPECT_TRUE(message_shown);
  EXPECT_EQ(ShownTitle(), Text(535));
  EXPECT_EQ(ShownMessage(), Text(701));
}

}  // namespace
}  // namespace korvane::test
