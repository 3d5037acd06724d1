#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/report_packet.hpp"
#include "keys/evdev_keys.hpp"
#include "keys/key_combination.hpp"
#include "keys/key_names.hpp"
#include "keys/key_usage.hpp"
#include "macros/macro_encoding.hpp"

namespace korvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(KeyUsageTest, VirtualKeysMapToKeyboardUsages) {
  const std::pair<int, int> cases[] = {
      {0x41, 0x04}, {0x5A, 0x1D}, {0x31, 0x1E}, {0x30, 0x27}, {0x0D, 0x28}, {0xDC, 0x31}, {666, 0x32},
      {0xBF, 0x38}, {0x7B, 0x45}, {0x2C, 0x46}, {0x22, 0x4E}, {0x26, 0x52}, {0x6C, 0x58}, {0x69, 0x61},
      {0x60, 0x62}, {0x6E, 0x63}, {0x5D, 0x65}, {0x87, 0x73}, {0xA2, 0xE0}, {0x5C, 0xE7}, {0xFE, 0xAF},
      {0x89, 0x89}, {301, 0xEC},  {302, 0xEB},  {0x10, 0x00}, {0x0C, 0x00}, {0xFF, 0x00}};
  for (const auto& [key, usage] : cases) EXPECT_EQ(VirtualKeyToUsage(key), usage) << std::hex << key;
}

TEST(KeyUsageTest, ModifierBitsComeFromKeysAndUsagesAlike) {
  const std::pair<int, int> cases[] = {{0xA2, 0x01}, {0xE0, 0x01}, {0xA0, 0x02}, {0xE5, 0x20}, {0x5B, 0x08},
                                       {0x5C, 0x80}, {0xE7, 0x80}, {0, 0},       {0x04, 0x04}, {0x41, 0x41}};
  for (const auto& [code, bit] : cases) EXPECT_EQ(ModifierBit(code), bit) << std::hex << code;
  EXPECT_EQ(SpecialKeyName(0x5C), "RWindows");
  EXPECT_EQ(SpecialKeyName(0x6C), "Num Enter");
  EXPECT_EQ(SpecialKeyName(0x41), "");
}

TEST(KeyCombinationTest, ModifierWordsAndKeyNameMakeTheDescription) {
  const KeyCombination both = BuildCombination(0x41, "A", {.shift = true, .ctrl = true});
  EXPECT_EQ(both.usage, 0x04);
  EXPECT_EQ(both.modifiers, 3);
  EXPECT_EQ(both.description, "Shift+ Ctrl + A");

  const KeyCombination modifiers_only = BuildCombination(0, "", {.win = true, .alt = true});
  EXPECT_EQ(modifiers_only.usage, 0);
  EXPECT_EQ(modifiers_only.modifiers, 12);
  EXPECT_EQ(modifiers_only.description, "Win+ Alt");
  EXPECT_FALSE(modifiers_only.Empty());

  const KeyCombination key_only = BuildCombination(0x5C, "RWindows", {});
  EXPECT_EQ(key_only.usage, 0xE7);
  EXPECT_EQ(key_only.description, "RWindows");
  EXPECT_TRUE(BuildCombination(0x10, "", {}).Empty());
}

// Physical keys by their evdev codes, as the window's key events give them.
TEST(EvdevKeysTest, PhysicalKeysGiveTheirPositionsVirtualKeys) {
  struct Case {
    int evdev;
    int key;
    int usage;
  };
  const Case cases[] = {
      {30, 0x41, 0x04},   // the key right of Caps Lock: A on QWERTY, Q on AZERTY
      {16, 0x51, 0x14},   // the key right of Tab
      {11, 0x30, 0x27},   // 0
      {54, 0xA1, 0xE5},   // right Shift
      {126, 0x5C, 0xE7},  // right Win
      {73, 0x69, 0x61},   // keypad 9, with or without Num Lock
      {96, 0x6C, 0x58},   // keypad Enter
      {124, 0x89, 0x89},  // Yen
      {183, 0x7C, 0x68},  // F13
      {194, 0x87, 0x73},  // F24
      {99, 0x2C, 0x46},   // Print Screen
      {240, 0, 0},        // a key without a code
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EvdevToVirtualKey(c.evdev), c.key) << c.evdev;
    EXPECT_EQ(VirtualKeyToUsage(EvdevToVirtualKey(c.evdev)), c.usage) << c.evdev;
  }
  EXPECT_EQ(EvdevToVirtualKey(EvdevFromNativeKeyCode(38)), 0x41);
  EXPECT_TRUE(IgnoredDuringKeyCapture(0xA0));
  EXPECT_TRUE(IgnoredDuringKeyCapture(0xA5));
  EXPECT_FALSE(IgnoredDuringKeyCapture(0x5C));
}

TEST(KeyNamesTest, TypedCombinationsGiveWhatThePanelWouldStore) {
  struct Case {
    const char* text;
    int usage;
    int modifiers;
    const char* description;
  };
  const Case cases[] = {
      {"Ctrl+Shift+A", 0x04, 3, "Shift+ Ctrl + A"},
      {"ctrl + shift + a", 0x04, 3, "Shift+ Ctrl + A"},
      {"RWin", 0xE7, 0, "RWindows"},
      {"F13", 0x68, 0, "F13"},
      {"Num Enter", 0x58, 0, "Num Enter"},
      {"Alt+Num +", 0x57, 4, "Alt + Num +"},
      {"Shift", 0, 2, "Shift"},
      {"Win+Tab", 0x2B, 8, "Win + Tab"},
      {"Esc", 0x29, 0, "Escape"},
  };
  for (const Case& c : cases) {
    const ParsedCombination parsed = ParseCombination(c.text);
    ASSERT_TRUE(parsed.combination) << c.text << ": " << parsed.unknown;
    EXPECT_EQ(parsed.combination->usage, c.usage) << c.text;
    EXPECT_EQ(parsed.combination->modifiers, c.modifiers) << c.text;
    EXPECT_EQ(parsed.combination->description, c.description) << c.text;
  }
  EXPECT_EQ(ParseCombination("Ctrl+Hyper").unknown, "Hyper");
  EXPECT_EQ(ParseCombination("A+B").unknown, "B");
  EXPECT_EQ(ParseCombination("").unknown, "");
  EXPECT_FALSE(ParseCombination("").combination);
}

TEST(KeyNamesTest, EveryAcceptedNameNamesItsOwnKey) {
  const auto names = AcceptedKeyNames();
  EXPECT_GT(names.size(), 100u);
  for (const std::string_view name : names) {
    const auto key = KeyFromName(name);
    ASSERT_TRUE(key) << name;
    EXPECT_EQ(UsKeyName(*key), name);
    EXPECT_NE(VirtualKeyToUsage(*key), 0) << name;
  }
}

MacroEvent Event(int type, int value) { return MacroEvent{.type = type, .value = value}; }

TEST(MacroEncodingTest, DelaysLandOnTheRecordBeforeThem) {
  const MacroEvent down_a = Event(kEventKeyDown, 0x41);
  const MacroEvent up_a = Event(kEventKeyUp, 0x41);
  struct Case {
    const char* what;
    std::vector<MacroEvent> events;
    Bytes records;
  };
  const Case cases[] = {
      {"delay between", {down_a, Event(1, 40), up_a}, {0x30, 0x28, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
      {"leading delay moves behind the first",
       {Event(1, 100), down_a, up_a},
       {0x30, 0x64, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
      {"delays add up", {down_a, Event(1, 200), Event(1, 100), up_a}, {0x30, 0x2C, 0x01, 0x04, 0xB0, 0x01, 0x00, 0x04}},
      {"closing delay without minimum", {down_a, up_a, Event(1, 0)}, {0x30, 0x01, 0x00, 0x04, 0xB0, 0x00, 0x00, 0x04}},
      {"delay above 65535 wraps", {down_a, Event(1, 70000)}, {0x30, 0x70, 0x11, 0x04}},
      {"modifier keys", {Event(2, 0xA1), Event(3, 0xA1)}, {0x20, 0x01, 0x00, 0x20, 0xA0, 0x01, 0x00, 0x20}},
      {"mouse buttons", {Event(4, 2), Event(1, 10), Event(5, 0x102)}, {0x10, 0x0A, 0x00, 0x02, 0x90, 0x01, 0x00, 0x02}},
      {"a skipped wheel event replaces the delay before it",
       {down_a, Event(1, 30), Event(kEventWheelUp, 1), Event(1, 50), up_a},
       {0x30, 0x32, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}},
      {"only delays", {Event(1, 10), Event(1, 20)}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeMacroEvents(c.events), c.records) << c.what;
}

std::vector<MacroEvent> KeyEvents(int count) {
  std::vector<MacroEvent> events;
  for (int i = 0; i < count; ++i) events.push_back(Event(i % 2 ? kEventKeyUp : kEventKeyDown, 0x41));
  return events;
}

TEST(MacroEncodingTest, LongStreamsAreNumberedFramesOfTwentySevenBytes) {
  struct Case {
    int events;
    std::vector<std::pair<int, int>> frames;  // sequence byte, length byte
  };
  const Case cases[] = {
      {0, {{0x01, 1}}}, {6, {{0x01, 25}}}, {7, {{0x02, 27}, {0x12, 2}}}, {20, {{0x03, 27}, {0x13, 27}, {0x23, 27}}}};
  for (const Case& c : cases) {
    const auto stream = MacroStream(3, KeyEvents(c.events));
    ASSERT_EQ(stream.front(), 3);
    const auto packets = ChunkPayload(report::kMacroData, stream);
    std::vector<std::pair<int, int>> frames;
    for (const ReportPacket& p : packets) frames.emplace_back(p[report::kSequenceByte], p[report::kLengthByte]);
    EXPECT_EQ(frames, c.frames) << c.events << " events";
  }
  EXPECT_TRUE(MacroFitsTheMouse(EncodeMacroEvents(KeyEvents(101)).size() / kMacroRecordSize));
  EXPECT_FALSE(MacroFitsTheMouse(EncodeMacroEvents(KeyEvents(102)).size() / kMacroRecordSize));
  EXPECT_EQ(ChunkPayload(report::kMacroData, MacroStream(3, KeyEvents(101))).size(), 15u);
}

}  // namespace
}  // namespace korvane
