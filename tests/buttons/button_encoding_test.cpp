#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "buttons/button_functions.hpp"
#include "buttons/button_table.hpp"
#include "device/report_packet.hpp"

namespace korvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

KeyAssignment Assign(int key_code, int type, int value, int value2 = 0) {
  KeyAssignment a;
  a.key_code = key_code;
  a.macro_type = type;
  a.macro_value = value;
  a.macro_value2 = value2;
  return a;
}

const MacroHeader* NoMacro(int) { return nullptr; }

Bytes EntryOf(const ButtonTable& table, int key_code) {
  return Bytes(table.begin() + 3 * key_code, table.begin() + 3 * key_code + 3);
}

TEST(ButtonTableTest, FrameWithoutAssignmentsCarriesTheDefaultsOfButtonsZeroToEight) {
  ReportPacket packet = BuildButtonTableCommand(BuildButtonTable({}, NoMacro));
  packet.StoreChecksum();
  const Bytes expected{0x00, 0x09, 0x00, 0x01, 0x0F,                                            // header
                       0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00,  // 0-3
                       0x10, 0x10, 0x00, 0x40, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // 4-7
                       0x00, 0x00, 0x00,                                                        // 8
                       0xB0};                                                                   // checksum
  EXPECT_EQ(Bytes(packet.bytes.begin(), packet.bytes.begin() + 33), expected);
}

struct EntryCase {
  const char* what;
  KeyAssignment assignment;
  Bytes entry;
};

TEST(ButtonTableTest, EachFunctionTypeEncodesItsEntry) {
  const EntryCase cases[] = {
      {"left Shift alone", Assign(3, 2, 0xE1, 0), {0x70, 0x02, 0x00}},
      {"right Win alone", Assign(3, 2, 0xE7, 0), {0x70, 0x80, 0x00}},
      {"Ctrl+Shift+A", Assign(3, 2, 0x04, 3), {0x70, 0x03, 0x04}},
      {"Shift alone as modifier bits", Assign(3, 2, 0, 2), {0x70, 0x02, 0x00}},
      {"mouse middle", Assign(3, 1, 2), {0x10, 0x04, 0x00}},
      {"mouse triple", Assign(3, 1, 4), {0x30, 0x32, 0x03}},
      {"wheel down", Assign(3, 1, 8), {0x20, 0xFF, 0x00}},
      {"mouse code 10", Assign(3, 1, 10), {0x10, 0x00, 0xF6}},
      {"mouse value unknown", Assign(3, 1, 99), {0x10, 0x00, 0x00}},
      {"media player", Assign(3, 3, 1), {0x80, 0x83, 0x01}},
      {"mute", Assign(3, 3, 8), {0x80, 0xE2, 0x00}},
      {"multimedia unknown", Assign(3, 3, 0), {0x80, 0x00, 0x00}},
      {"DPI +", Assign(3, 5, 1), {0x40, 0x02, 0x00}},
      {"DPI cycle", Assign(3, 5, 3), {0x40, 0x01, 0x00}},
      {"DPI unknown", Assign(3, 5, 7), {0x40, 0x00, 0x00}},
      {"special 1 keeps byte 2 of the default", Assign(3, 6, 1), {0x60, 0x04, 0x00}},
      {"special 2", Assign(3, 6, 2), {0x60, 0x01, 0x00}},
      {"special unknown keeps bytes 1-2", Assign(2, 6, 9), {0x60, 0x04, 0x00}},
      {"repeat", Assign(3, 7, 300, 7), {0x30, 0x2C, 0x07}},
      {"brightness up", Assign(3, 8, 1), {0x80, 0x6F, 0x00}},
      {"browser home", Assign(3, 8, 5), {0x80, 0x23, 0x02}},
      {"Win+Tab", Assign(3, 8, 8), {0x70, 0x08, 0x2B}},
      {"Ctrl+X", Assign(3, 8, 11), {0x70, 0x01, 0x1B}},
      {"system unknown", Assign(3, 8, 12), {0x80, 0x00, 0x00}},
      {"disabled", Assign(3, 9, 1), {0x60, 0x00, 0x00}},
      {"unknown type keeps the default", Assign(3, 12, 1), {0x10, 0x08, 0x00}},
      {"missing macro keeps the default", Assign(3, 4, 42), {0x10, 0x08, 0x00}},
  };
  for (const EntryCase& c : cases) {
    const ButtonTable table = BuildButtonTable(std::vector{c.assignment}, NoMacro);
    EXPECT_EQ(EntryOf(table, c.assignment.key_code), c.entry) << c.what;
  }
}

TEST(ButtonTableTest, MacroEntriesCarryTheButtonAndThePlayBits) {
  MacroHeader times{.macro_id = 7, .play_type = 0, .play_times = 3};
  MacroHeader hold{.macro_id = 8, .play_type = 2, .play_times = 3};
  MacroHeader toggle{.macro_id = 9, .play_type = 3, .play_times = 0};
  const SendableMacro macros = [&](int id) -> const MacroHeader* {
    return id == 7 ? &times : id == 8 ? &hold : id == 9 ? &toggle : nullptr;
  };
  const ButtonTable table = BuildButtonTable(std::vector{Assign(4, 4, 7), Assign(5, 4, 8), Assign(6, 4, 9)}, macros);
  EXPECT_EQ(EntryOf(table, 4), (Bytes{0x90, 0x24, 0x03}));
  EXPECT_EQ(EntryOf(table, 5), (Bytes{0x90, 0x45, 0x00}));
  EXPECT_EQ(EntryOf(table, 6), (Bytes{0x90, 0x16, 0x00}));
}

TEST(ButtonTableTest, ButtonsOutsideTheTableChangeNothingAndLaterRowsWin) {
  const ButtonTable defaults = DefaultButtonTable();
  EXPECT_EQ(BuildButtonTable(std::vector{Assign(20, 9, 1), Assign(-1, 9, 1)}, NoMacro), defaults);
  const ButtonTable table = BuildButtonTable(std::vector{Assign(19, 9, 1), Assign(1, 9, 1), Assign(1, 1, 1)}, NoMacro);
  EXPECT_EQ(EntryOf(table, 19), (Bytes{0x60, 0x00, 0x00}));
  EXPECT_EQ(EntryOf(table, 1), (Bytes{0x10, 0x01, 0x00}));
}

std::string Text(int id) { return "T" + std::to_string(id); }

TEST(ButtonDescriptionTest, DescriptionsFollowTheLanguageExceptKeyboardDpiAndUnknownValues) {
  const MacroNameDisplay macro_name = [](const std::string& name) { return "<" + name + ">"; };
  struct Case {
    int type;
    int value;
    std::string shown;
  };
  const Case cases[] = {{1, 1, "T106"},   {1, 4, "T180"},   {1, 9, "T114"},     {1, 10, "T115"},  {1, 11, "stored"},
                        {3, 1, "T120"},   {3, 3, "T124"},   {4, 5, "<stored>"}, {5, 1, "stored"}, {6, 1, "T151"},
                        {6, 2, "stored"}, {6, 6, "T155"},   {7, 50, "T161"},    {8, 9, "T31"},    {8, 11, "T36"},
                        {9, 1, "T139"},   {2, 4, "stored"}, {12, 1, "stored"}};
  for (const Case& c : cases) {
    KeyAssignment a = Assign(3, c.type, c.value);
    a.macro_desc = "stored";
    EXPECT_EQ(DisplayedDescription(a, Text, macro_name), c.shown) << c.type << "/" << c.value;
  }
}

TEST(ButtonDescriptionTest, OfferedItemsDescribeTheirOwnValues) {
  for (const int type : {1, 3, 8}) {
    for (const FunctionItem& item : OfferedFunctions(type)) {
      KeyAssignment a = Assign(3, type, item.value);
      EXPECT_EQ(DisplayedDescription(a, Text, {}), FunctionItemText(item, Text)) << type << "/" << item.value;
    }
  }
  EXPECT_EQ(FunctionItemText(OfferedFunctions(5)[1], Text), "DPI +");
  EXPECT_TRUE(OfferedFunctions(7).empty());
}

TEST(ButtonDescriptionTest, RepeatFieldsClampToTheirRanges) {
  EXPECT_EQ(ClampRepeatFirst(0), 5);
  EXPECT_EQ(ClampRepeatFirst(4), 5);
  EXPECT_EQ(ClampRepeatFirst(300), 255);
  EXPECT_EQ(ClampRepeatSecond(-3), 0);
  EXPECT_EQ(ClampRepeatSecond(256), 255);
}

}  // namespace
}  // namespace korvane
