// The buttons page driven through the controller's routing, down to the
// button table and macros the virtual mouse receives.
#include <algorithm>

#include "buttons/button_functions.hpp"
#include "common/text_ids.hpp"
#include "controller_fixture.hpp"
#include "device/report_format.hpp"
#include "macros/macro_encoding.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "ui/event_codes.hpp"

namespace korvane::test {
namespace {

using namespace ui::ctl;

// Linux input event codes of the keys the tests press.
constexpr int kEvdevLeftShift = 42;
constexpr int kEvdevA = 30;
constexpr int kEvdevKeypad9 = 73;
constexpr int kEvdevKeypadEnter = 96;
constexpr int kEvdevRightMeta = 126;

class ButtonsPageTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    for (const int toggle : {kModifierWin, kModifierAlt, kModifierShift}) toolkit.AddCheckBox(toggle);
    for (const int control : {kKeyPanel, kRepeatPanel, kRepeatField1, kRepeatField2}) toolkit.AddControl(control);
  }

  // Makes the button with this key_code current, as a click in the list does.
  void SelectButton(int key_code) {
    const auto rows = toolkit.Items(kButtonList);
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const ui::ListItem& r) { return r.data == key_code; });
    ASSERT_NE(row, rows.end());
    ASSERT_TRUE(toolkit.Choose(kButtonList, static_cast<int>(row - rows.begin())));
  }

  // The index of the chooser's item with this value.
  int ItemOf(int chooser, int value) const {
    const auto items = toolkit.Items(chooser);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].data == value) return static_cast<int>(i);
    }
    return -1;
  }

  std::string Detail(int key_code) const {
    for (const ui::ListItem& row : toolkit.Items(kButtonList)) {
      if (row.data == key_code) return row.detail;
    }
    return "<no button>";
  }

  std::optional<KeyAssignment> Stored(int key_code) {
    KeyAssignment row;
    if (!LoadKeyAssignment(controller->Store(), Profile(), key_code, row)) return std::nullopt;
    return row;
  }

  int ButtonTablesSince(std::size_t from) const {
    const auto commands = CommandsSince(from);
    return static_cast<int>(std::count(commands.begin(), commands.end(), report::kButtons));
  }
};

TEST_F(ButtonsPageTest, AChooserStoresTheFunctionShowsItAndSendsTheTable) {
  Connect("korvane_arc_8k");
  EXPECT_EQ(toolkit.Items(kMousePicture).size(), toolkit.Items(kButtonList).size());
  SelectButton(1);
  EXPECT_EQ(toolkit.Selection(kMousePicture), toolkit.Selection(kButtonList)) << "the picture follows the list";
  EXPECT_TRUE(toolkit.IsChecked(kFunctionChooser1)) << "the right button's default is a mouse function";
  const std::size_t from = LogSize();
  ASSERT_TRUE(toolkit.Choose(kFunctionChooser2, ItemOf(kFunctionChooser2, 6)));
  Drain();
  const auto row = Stored(1);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->macro_type, kFunctionMultimedia);
  EXPECT_EQ(row->macro_value, 6);
  EXPECT_EQ(Detail(1), Text(117));
  EXPECT_TRUE(toolkit.IsChecked(kFunctionChooser2));
  EXPECT_FALSE(toolkit.IsChecked(kFunctionChooser1));
  EXPECT_EQ(ButtonTablesSince(from), 1);
  EXPECT_TRUE(SaveTipShown());
}

TEST_F(ButtonsPageTest, ThePrimaryButtonKeepsItsFunction) {
  Connect("korvane_arc_8k");
  const std::size_t from = LogSize();
  for (const auto& [control, param] : {std::pair{kFunctionChooser1, 1}, std::pair{kOpenKeyCapture, 0},
                                       std::pair{kOpenRepeatPanel, 0}, std::pair{kAssignDisabled, 0}}) {
    toolkit.SetSelection(kFunctionChooser1, 1);
    ASSERT_TRUE(toolkit.Deliver(control, ui::event::kClick, param));
    EXPECT_EQ(ShownMessage(), Text(text_id::kPrimaryButtonLocked));
    EXPECT_EQ(ShownTitle(), Text(text_id::kPrimaryButtonTitle));
    EXPECT_FALSE(toolkit.IsVisible(kKeyPanel));
    EXPECT_FALSE(toolkit.IsVisible(kRepeatPanel));
    EXPECT_EQ(toolkit.Items(kFunctionChooser1)[toolkit.Selection(kFunctionChooser1)].data, 1)
        << "the chooser shows the left click again";
  }
  Drain();
  EXPECT_FALSE(Stored(0));
  EXPECT_EQ(Detail(0), Text(920));
  EXPECT_EQ(ButtonTablesSince(from), 0);
}

// The key is the physical key; the side modifiers are not captured, the
// toggles give the modifiers; the program's own names replace the layout's.
TEST_F(ButtonsPageTest, KeyCaptureTakesThePhysicalKeyWithTheToggles) {
  Connect("korvane_arc_8k");
  struct Case {
    int evdev;
    const char* layout_name;
    bool ctrl;
    int usage;
    int modifiers;
    const char* description;
  };
  for (const Case& c :
       {Case{kEvdevRightMeta, "Super_R", true, 0xE7, 1, "Ctrl + RWindows"},
        Case{kEvdevKeypad9, "Page Up", false, 0x61, 0, "Page Up"},
        Case{kEvdevKeypadEnter, "Enter", false, 0x58, 0, "Num Enter"}, Case{kEvdevA, "Q", true, 0x04, 1, "Ctrl + Q"}}) {
    SCOPED_TRACE(c.description);
    SelectButton(2);
    ASSERT_TRUE(toolkit.Click(kOpenKeyCapture));
    EXPECT_TRUE(toolkit.IsVisible(kKeyPanel));
    ASSERT_TRUE(toolkit.Deliver(kKeyField, ui::event::kCaptureStarted));
    ASSERT_TRUE(toolkit.PressKey(kKeyField, kEvdevLeftShift, "Shift"));
    EXPECT_EQ(toolkit.GetText(kKeyField), "") << "left Shift alone changes nothing";
    ASSERT_TRUE(toolkit.PressKey(kKeyField, c.evdev, c.layout_name));
    toolkit.SetChecked(kModifierCtrl, c.ctrl);
    ASSERT_TRUE(toolkit.Click(kKeyConfirm));
    const auto row = Stored(2);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->macro_type, kFunctionKeyboard);
    EXPECT_EQ(row->macro_value, c.usage);
    EXPECT_EQ(row->macro_value2, c.modifiers);
    EXPECT_EQ(row->macro_desc, c.description);
    EXPECT_EQ(Detail(2), c.description);
    EXPECT_FALSE(toolkit.IsVisible(kKeyPanel));
    EXPECT_TRUE(toolkit.IsChecked(kOpenKeyCapture));
  }
}

TEST_F(ButtonsPageTest, RapidFireFieldsAreClampedWhenLeft) {
  Connect("korvane_arc_8k");
  SelectButton(3);
  ASSERT_TRUE(toolkit.Click(kOpenRepeatPanel));
  EXPECT_EQ(toolkit.GetText(kRepeatField1), "5");
  EXPECT_EQ(toolkit.GetText(kRepeatField2), "1");
  toolkit.SetText(kRepeatField1, "2");
  ASSERT_TRUE(toolkit.Deliver(kRepeatField1, ui::event::kClick));
  EXPECT_EQ(toolkit.GetText(kRepeatField1), "5");
  toolkit.SetText(kRepeatField2, "300");
  ASSERT_TRUE(toolkit.Click(kRepeatConfirm));
  const auto row = Stored(3);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->macro_type, kFunctionRepeat);
  EXPECT_EQ(row->macro_value, 5);
  EXPECT_EQ(row->macro_value2, 255);
  EXPECT_EQ(Detail(3), Text(text_id::kRepeatDescription));
}

// Types 1, 7 and 9 are described anew in the language shown; a key
// combination keeps the text it was stored with.
TEST_F(ButtonsPageTest, ALanguageSwitchDescribesTheButtonsAnew) {
  // The front end fills the list with the offered languages.
  for (const int lcid : {1033, 1049}) {
    ui::ListItem item;
    item.data = lcid;
    toolkit.AddItem(kLanguageList, item);
  }
  Connect("korvane_arc_8k");
  SelectButton(1);
  ASSERT_TRUE(toolkit.Choose(kFunctionChooser1, ItemOf(kFunctionChooser1, 2)));
  SelectButton(2);
  ASSERT_TRUE(toolkit.Click(kAssignDisabled));
  SelectButton(3);
  ASSERT_TRUE(toolkit.Click(kOpenKeyCapture));
  ASSERT_TRUE(toolkit.PressKey(kKeyField, kEvdevA, "A"));
  ASSERT_TRUE(toolkit.Click(kKeyConfirm));
  ASSERT_TRUE(toolkit.Choose(kLanguageList, 1));
  EXPECT_EQ(Detail(1), Text(108));
  EXPECT_EQ(Detail(2), Text(text_id::kDisableButton));
  EXPECT_EQ(Detail(3), "A");
  EXPECT_EQ(toolkit.Items(kFunctionChooser2)[0].text, Text(117)) << "the choosers speak the new language";
  EXPECT_NE(Text(108), "Middle click");
}

TEST_F(ButtonsPageTest, AnAssignedMacroReachesTheMouseBeforeTheTable) {
  Connect("korvane_arc_8k");
  const int macro = InsertMacroRow(controller->Store(), "Burst");
  ASSERT_GT(macro, 0);
  InsertEventRows(controller->Store(), {{.macro_id = macro, .type = kEventKeyDown, .record_index = 0, .value = 0x41},
                                        {.macro_id = macro, .type = kEventKeyUp, .record_index = 1, .value = 0x41}});
  // The macro page refreshes the pages when its macros change.
  controller->Hooks().Refresh(korvane::kMacroPage);
  SelectButton(4);
  ASSERT_EQ(toolkit.Items(kFunctionChooser3).size(), 1u);
  const std::size_t from = LogSize();
  ASSERT_TRUE(toolkit.Choose(kFunctionChooser3, 0));
  Drain();
  const auto commands = CommandsSince(from);
  const auto macro_data = std::find(commands.begin(), commands.end(), report::kMacroData);
  ASSERT_NE(macro_data, commands.end());
  EXPECT_NE(std::find(macro_data, commands.end(), report::kButtons), commands.end()) << "0x08, then 0x09";
  EXPECT_EQ(Detail(4), "Burst");
  EXPECT_TRUE(bus.State(mouse).settings.macros.contains(4));
}

TEST_F(ButtonsPageTest, ResetsAskFirstAndFallBackToTheDefaults) {
  Connect("korvane_arc_8k");
  SelectButton(1);
  ASSERT_TRUE(toolkit.Click(kAssignDisabled));
  SelectButton(2);
  ASSERT_TRUE(toolkit.Click(kAssignDisabled));
  SelectButton(1);

  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kCancel});
  });
  ASSERT_TRUE(toolkit.Click(kResetButton));
  EXPECT_TRUE(Stored(1)) << "cancelled";

  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
  });
  ASSERT_TRUE(toolkit.Click(kResetButton));
  EXPECT_FALSE(Stored(1));
  EXPECT_EQ(Detail(1), Text(921));
  EXPECT_TRUE(Stored(2));
  EXPECT_EQ(toolkit.Items(kButtonList)[toolkit.Selection(kButtonList)].data, 1) << "the button stays current";

  Drain();
  const std::size_t from = LogSize();
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
  });
  ASSERT_TRUE(toolkit.Click(kRestoreButtons));
  Drain();
  EXPECT_FALSE(Stored(2));
  EXPECT_EQ(Detail(2), Text(922));
  EXPECT_EQ(toolkit.Selection(kButtonList), 0) << "the first button becomes current";
  EXPECT_EQ(ButtonTablesSince(from), 1);
}

}  // namespace
}  // namespace korvane::test
