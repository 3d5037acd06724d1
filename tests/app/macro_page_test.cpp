// The macro page driven through the controller's routing: the macro list,
// the options, the recorder on the fake key source, the insert, move and
// editor commands, and a recorded macro reaching the virtual mouse.
#include <algorithm>
#include <filesystem>

#include "common/text_ids.hpp"
#include "controller_fixture.hpp"
#include "keys/mouse_buttons.hpp"
#include "macros/macro_encoding.hpp"
#include "macros/macro_events.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "ui/window_messages.hpp"

namespace korvane::test {
namespace {

using namespace ui::ctl;

constexpr int kEvdevA = 30;
constexpr int kEvdevB = 48;
constexpr int kEvdevLeftShift = 42;
constexpr int kVirtualKeyA = 0x41;

class MacroPageTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    for (const int radio : {kDelayNone, kDelayRecorded, kDelayFixed}) toolkit.AddControl(radio, "delay");
    for (const int radio : {kPlayWhileHeld, kPlayToggle, kPlayTimes}) toolkit.AddControl(radio, "play");
    for (const int control : {kDelayField, kPlayTimesField, kEventEditor, kEventKeyField, kEventDelayField,
                              kEventAction, kEventKind, kRecordNotice, kEncodedEvents}) {
      toolkit.AddControl(control);
    }
    Connect("korvane_arc_8k");
  }

  std::vector<std::string> Texts(int control) const {
    std::vector<std::string> texts;
    for (const ui::ListItem& item : toolkit.Items(control)) texts.push_back(item.text);
    return texts;
  }

  EventList StoredEvents(int index) {
    std::vector<MacroHeader> macros;
    LoadMacroRows(controller->Store(), macros);
    EventList events;
    LoadEventRows(controller->Store(), macros.at(static_cast<std::size_t>(index)).macro_id, events);
    return events;
  }

  MacroHeader StoredHeader(int index) {
    std::vector<MacroHeader> macros;
    LoadMacroRows(controller->Store(), macros);
    return macros.at(static_cast<std::size_t>(index));
  }

  // Presses (or releases) a key `after` ms after the last step.
  void Key(int evdev, bool press, std::string name, std::int64_t after = 0) {
    now_ms += after;
    ASSERT_TRUE(toolkit.RecordKey(evdev, press, std::move(name)));
  }

  void Record(const std::function<void()>& keys, std::int64_t stop_after = 0) {
    ASSERT_TRUE(toolkit.Click(kRecord));
    keys();
    now_ms += stop_after;
    if (toolkit.RecordingControl()) {
      ASSERT_TRUE(toolkit.Click(kRecord));
    }
  }

  void ChooseMenu(int wanted_text) {
    const auto& menu = toolkit.LastMenu();
    for (std::size_t i = 0; i < menu.size(); ++i) {
      if (menu[i].text == Text(wanted_text)) return toolkit.ChooseMenuItem(static_cast<int>(i));
    }
    FAIL() << "no menu item " << Text(wanted_text);
  }
};

TEST_F(MacroPageTest, CreateDeleteAndRenameKeepTheListsAndTheStoreTogether) {
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(toolkit.Click(kMacroCreate));
  EXPECT_EQ(Texts(kMacroList), (std::vector<std::string>{"Custom 1", "Custom 2", "Custom 3"}));
  // Named by the list size, even though a macro of that name exists.
  ASSERT_TRUE(toolkit.Choose(kMacroList, 0));
  ASSERT_TRUE(toolkit.Click(kMacroDelete));
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  EXPECT_EQ(Texts(kMacroList), (std::vector<std::string>{"Custom 2", "Custom 3", "Custom 3"}));
  EXPECT_EQ(toolkit.Selection(kMacroList), 2) << "the new macro is selected";
  EXPECT_EQ(Texts(kFunctionChooser3), Texts(kMacroList)) << "the buttons page follows";

  // Deleting index 0 leaves no selection.
  ASSERT_TRUE(toolkit.Choose(kMacroList, 0));
  ASSERT_TRUE(toolkit.Click(kMacroDelete));
  EXPECT_EQ(toolkit.Selection(kMacroList), -1);
  EXPECT_FALSE(toolkit.IsEnabled(kMacroDelete));
  EXPECT_EQ(Texts(kFunctionChooser3).size(), 2u);

  // A rename to nothing puts the stored name back; a real one reaches the
  // buttons that play the macro.
  std::vector<MacroHeader> macros;
  LoadMacroRows(controller->Store(), macros);
  StoreKeyAssignment(controller->Store(), {.profile = Profile(),
                                           .key_code = 4,
                                           .macro_type = 4,
                                           .macro_value = macros[1].macro_id,
                                           .macro_desc = "Custom 3"});
  for (const auto& [typed, shown] : {std::pair{"   ", "Custom 3"}, std::pair{"Сброс ✓", "Сброс ✓"}}) {
    toolkit.SetItem(kMacroList, 1, ui::TextItem(typed, macros[1].macro_id));
    ASSERT_TRUE(toolkit.Deliver(kMacroList, ui::event::kValueTyped, 1));
    EXPECT_EQ(Texts(kMacroList)[1], shown);
    EXPECT_EQ(StoredHeader(1).name, typed == std::string("   ") ? "Custom 3" : shown);
  }
  KeyAssignment button;
  ASSERT_TRUE(LoadKeyAssignment(controller->Store(), Profile(), 4, button));
  EXPECT_EQ(button.macro_desc, "Сброс ✓");
  EXPECT_EQ(Texts(kFunctionChooser3)[1], "Сброс ✓");
}

TEST_F(MacroPageTest, OptionsFollowTheChoicesAndTheFieldRules) {
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  EXPECT_TRUE(toolkit.IsChecked(kDelayRecorded)) << "a new macro records its delays";
  EXPECT_TRUE(toolkit.IsChecked(kPlayTimes));
  EXPECT_FALSE(toolkit.IsEnabled(kDelayField));

  ASSERT_TRUE(toolkit.Click(kDelayFixed));
  EXPECT_EQ(toolkit.GetText(kDelayField), "10");
  EXPECT_TRUE(toolkit.IsEnabled(kDelayField));
  struct Case {
    int field;
    std::string typed;
    std::string shown;
  };
  // The korvane_arc_8k is numbered 201 or above: its play count ends at 255.
  ASSERT_GE(controller->State().current_type, 201);
  for (const Case& c : {Case{kDelayField, "0", "1"}, Case{kDelayField, "25000", "10000"}, Case{kDelayField, "", "10"},
                        Case{kDelayField, "25ms", "25"}, Case{kPlayTimesField, "300", "255"},
                        Case{kPlayTimesField, "", "1"}, Case{kPlayTimesField, "7", "7"}}) {
    toolkit.SetText(c.field, c.typed);
    ASSERT_TRUE(toolkit.Deliver(c.field, ui::event::kClick));
    EXPECT_EQ(toolkit.GetText(c.field), c.shown) << c.typed;
  }
  MacroHeader header = StoredHeader(0);
  EXPECT_EQ(header.delay_type, 2);
  EXPECT_EQ(header.delay_time, 25);
  EXPECT_EQ(header.play_type, 0);
  EXPECT_EQ(header.play_times, 7);

  ASSERT_TRUE(toolkit.Click(kPlayToggle));
  header = StoredHeader(0);
  EXPECT_EQ(header.play_type, 2);
  EXPECT_EQ(header.play_times, 1);
  EXPECT_EQ(header.name, "Custom 1");
}

TEST_F(MacroPageTest, RecordingMeasuresDelaysAndStoresTheList) {
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  Record(
      [&] {
        EXPECT_EQ(toolkit.GetText(kRecord), Text(text_id::kRecordStop));
        EXPECT_FALSE(toolkit.IsEnabled(kMacroList)) << "the macro cannot change while recording";
        EXPECT_FALSE(toolkit.IsVisible(kRecordNotice)) << "the whole desktop is heard";
        Key(kEvdevA, true, "A", 500);
        Key(kEvdevA, false, "A", 45000);
        Key(kEvdevLeftShift, true, "Shift_L", 120);
      },
      2000);
  EXPECT_EQ(Texts(kEventList), (std::vector<std::string>{"↓  A", "31000 ms", "↑  A", "120 ms", "↓  Shift", "2000 ms"}));
  EXPECT_EQ(toolkit.GetText(kRecord), Text(text_id::kRecordStart));
  EXPECT_TRUE(toolkit.IsEnabled(kMacroList));
  EXPECT_FALSE(toolkit.RecordingControl()) << "the key source is released";
  EXPECT_EQ(StoredEvents(0).size(), 6u) << "the closing delay is stored with the rest";
  EXPECT_EQ(toolkit.GetText(kEncodedEvents), "Mouse steps: 3 of 101");
}

TEST_F(MacroPageTest, RecordingStopsAtTheLimitAndSaysWhenOnlyTheWindowIsHeard) {
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  ASSERT_TRUE(toolkit.Click(kDelayNone));
  toolkit.SetWholeDesktopRecording(false);
  ASSERT_TRUE(toolkit.Click(kRecord));
  EXPECT_TRUE(toolkit.IsVisible(kRecordNotice));
  EXPECT_EQ(toolkit.GetText(kRecordNotice), Text(text_id::kRecordsFocusOnly));
  for (int pair = 0; pair < 15; ++pair) {
    Key(kEvdevB, true, "B", 10);
    Key(kEvdevB, false, "B", 10);
  }
  EXPECT_FALSE(toolkit.RecordingControl()) << "fifteen pairs fill the 30 items";
  EXPECT_EQ(ShownMessage(), Text(text_id::kEventLimitReached));
  EXPECT_EQ(ShownTitle(), Text(text_id::kEventLimitTitle));
  EXPECT_EQ(StoredEvents(0).size(), 30u);
  EXPECT_FALSE(toolkit.IsVisible(kRecordNotice));
}

TEST_F(MacroPageTest, RecordingWithoutAMacroIsRefused) {
  ASSERT_TRUE(toolkit.Deliver(kRecord, ui::event::kClick));
  EXPECT_EQ(ShownMessage(), Text(text_id::kSelectMacroFirst));
  EXPECT_FALSE(toolkit.RecordingControl());
}

TEST_F(MacroPageTest, InsertMoveEditAndDeleteStoreEveryChange) {
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  ASSERT_TRUE(toolkit.Click(kEventInsert));
  ChooseMenu(text_id::kInsertLeftClick);
  EXPECT_EQ(Texts(kEventList), (std::vector<std::string>{"↓  LB", "10 ms", "↑  LB"}));
  // A key through the macro-step editor, after the selected click release.
  ASSERT_TRUE(toolkit.Choose(kEventList, 2));
  now_ms += 100;  // inserts are stamped with the clock
  toolkit.ScriptModal(ui::WindowId::kRecordEdit, [&] {
    toolkit.PressKey({ui::WindowId::kRecordEdit, record_edit::kField}, kEvdevB, "B");
    toolkit.Click({ui::WindowId::kRecordEdit, record_edit::kConfirm});
  });
  ASSERT_TRUE(toolkit.Click(kEventInsert));
  ChooseMenu(text_id::kInsertKey);
  EXPECT_EQ(Texts(kEventList), (std::vector<std::string>{"↓  LB", "10 ms", "↑  LB", "↓  B", "10 ms", "↑  B", "10 ms"}));

  // The editor changes a press and its release together.
  ASSERT_TRUE(toolkit.Choose(kEventList, 3));
  EXPECT_TRUE(toolkit.IsVisible(kEventKeyField));
  EXPECT_EQ(toolkit.GetText(kEventKeyField), "B");
  ASSERT_TRUE(toolkit.Deliver(kEventKeyField, ui::event::kCaptureStarted));
  ASSERT_TRUE(toolkit.PressKey(kEventKeyField, kEvdevA, "A"));
  ASSERT_TRUE(toolkit.Deliver(kEventKeyField, ui::event::kCaptureEnded));
  EventList stored = StoredEvents(0);
  EXPECT_EQ(stored[3].desc, "↓  A");
  EXPECT_EQ(stored[3].value, kVirtualKeyA);
  EXPECT_EQ(stored[5].desc, "↑  A");
  EXPECT_EQ(stored[5].value, kVirtualKeyA);

  ASSERT_TRUE(toolkit.Choose(kEventList, 0));
  EXPECT_TRUE(toolkit.IsVisible(kEventAction));
  ASSERT_TRUE(toolkit.Choose(kEventAction, 2));  // RB
  stored = StoredEvents(0);
  EXPECT_EQ(stored[0].value, kRightButtonBits);
  EXPECT_EQ(stored[2].desc, "↑  RB");

  ASSERT_TRUE(toolkit.Choose(kEventList, 1));
  toolkit.SetText(kEventDelayField, "99999");
  ASSERT_TRUE(toolkit.Deliver(kEventDelayField, ui::event::kClick));
  EXPECT_EQ(StoredEvents(0)[1].desc, "10000 ms");

  // Moves by button and by the list's menu, then delete and clear.
  ASSERT_TRUE(toolkit.Click(kEventUp));
  EXPECT_EQ(StoredEvents(0)[0].desc, "10000 ms");
  ASSERT_TRUE(toolkit.Deliver(kEventList, ui::event::kContextMenu, 0));
  ChooseMenu(text_id::kMoveBottom);
  EXPECT_EQ(StoredEvents(0).back().desc, "10000 ms");
  EXPECT_EQ(toolkit.Selection(kEventList), 6);
  ASSERT_TRUE(toolkit.Click(kEventDelete));
  EXPECT_EQ(StoredEvents(0).size(), 6u);
  ASSERT_TRUE(toolkit.Click(kEventClear));
  EXPECT_TRUE(StoredEvents(0).empty());
}

TEST_F(MacroPageTest, InsertingStopsAtTwoHundredEvents) {
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  for (int i = 0; i < 67; ++i) {
    now_ms += 100;
    ASSERT_TRUE(toolkit.Click(kEventInsert));
    ChooseMenu(text_id::kInsertMiddleClick);
  }
  ASSERT_EQ(StoredEvents(0).size(), 201u) << "inserting is allowed up to 199 events";
  ASSERT_TRUE(toolkit.Click(kEventInsert));
  EXPECT_EQ(ShownMessage(), Text(text_id::kEventLimitReached));
  EXPECT_EQ(ShownTitle(), Text(text_id::kNoInsertTitle));
  EXPECT_EQ(toolkit.GetText(kEncodedEvents), "⚠ Mouse steps: 134 of 101");
}

TEST_F(MacroPageTest, ARecordedMacroAssignedToAButtonReachesTheMouse) {
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  Record(
      [&] {
        Key(kEvdevA, true, "A", 1);
        Key(kEvdevA, false, "A", 40);
      },
      5);
  const EventList recorded = StoredEvents(0);
  ASSERT_EQ(recorded.size(), 4u);

  const auto buttons = toolkit.Items(kButtonList);
  const auto row = std::find_if(buttons.begin(), buttons.end(), [](const ui::ListItem& r) { return r.data == 4; });
  ASSERT_NE(row, buttons.end());
  ASSERT_TRUE(toolkit.Choose(kButtonList, static_cast<int>(row - buttons.begin())));
  ASSERT_TRUE(toolkit.Choose(kFunctionChooser3, 0));
  Drain();
  const auto& macros = bus.State(mouse).settings.macros;
  ASSERT_TRUE(macros.contains(4));
  EXPECT_EQ(macros.at(4), MacroStream(4, recorded));
}

TEST_F(MacroPageTest, TheListsMenuExportsAndImportsMacroFiles) {
  ASSERT_TRUE(toolkit.Deliver(kMacroList, ui::event::kContextMenu, -1));
  EXPECT_EQ(toolkit.LastMenu().size(), 1u) << "without a macro only import is offered";
  ASSERT_TRUE(toolkit.Click(kMacroCreate));
  ASSERT_TRUE(toolkit.Click(kEventInsert));
  ChooseMenu(text_id::kInsertRightClick);

  const std::string file = (home / "custom.xml").string();
  ASSERT_TRUE(toolkit.Deliver(kMacroList, ui::event::kContextMenu, 0));
  ASSERT_EQ(toolkit.LastMenu().size(), 4u);
  toolkit.ScriptFileDialog(file);
  ChooseMenu(text_id::kExport);
  ASSERT_TRUE(std::filesystem::exists(file));

  ASSERT_TRUE(toolkit.Deliver(kMacroList, ui::event::kContextMenu, 0));
  toolkit.ScriptFileDialog(file);
  ChooseMenu(text_id::kImport);
  EXPECT_EQ(Texts(kMacroList), (std::vector<std::string>{"Custom 1", "Custom 1"}));
  EXPECT_EQ(toolkit.Selection(kMacroList), 0) << "the selection stays";
  EXPECT_EQ(Texts(kFunctionChooser3).size(), 2u) << "the buttons page follows";
  EXPECT_EQ(StoredEvents(1).size(), 3u);

  ASSERT_TRUE(toolkit.Deliver(kMacroList, ui::event::kContextMenu, 0));
  toolkit.ScriptFileDialog((home / "missing.xml").string());
  ChooseMenu(text_id::kImportAllMacros);
  EXPECT_EQ(Texts(kMacroList).size(), 2u) << "an unreadable file imports nothing";
}

}  // namespace
}  // namespace korvane::test
