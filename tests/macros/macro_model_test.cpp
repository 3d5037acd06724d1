#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_ids.hpp"
#include "language/language_catalog.hpp"
#include "macros/macro_events.hpp"
#include "macros/macro_names.hpp"
#include "macros/macro_recorder.hpp"
#include "macros/macro_store.hpp"
#include "platform/app_settings.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

constexpr int kKeyA = 0x41;

// The list as (type, value) pairs: what a test compares.
std::vector<std::pair<int, int>> Shape(const EventList& list) {
  std::vector<std::pair<int, int>> shape;
  for (const MacroEvent& event : list) shape.emplace_back(event.type, event.value);
  return shape;
}

struct RecordingCase {
  const char* name;
  DelayMode mode;
  int fixed_delay;
  std::vector<std::int64_t> key_times;  // alternately press and release of A
  std::int64_t stop_time;
  std::vector<std::pair<int, int>> expected;
};

TEST(MacroRecorder, DelaysFollowTheModeAndTheClock) {
  const std::vector<RecordingCase> cases{
      {"measured, the first event without a delay, long gaps cut, the closing delay",
       DelayMode::kMeasured,
       0,
       {1000, 46000, 46050},
       48050,
       {{kEventKeyDown, kKeyA},
        {kEventDelay, 31000},
        {kEventKeyUp, kKeyA},
        {kEventDelay, 50},
        {kEventKeyDown, kKeyA},
        {kEventDelay, 2000}}},
      {"no delays", DelayMode::kNone, 25, {10, 500}, 900, {{kEventKeyDown, kKeyA}, {kEventKeyUp, kKeyA}}},
      {"a fixed delay before every event but the first, and after the last",
       DelayMode::kFixed,
       25,
       {10, 500},
       900,
       {{kEventKeyDown, kKeyA}, {kEventDelay, 25}, {kEventKeyUp, kKeyA}, {kEventDelay, 25}}},
  };
  for (const RecordingCase& c : cases) {
    SCOPED_TRACE(c.name);
    EventList list;
    MacroRecorder recorder;
    recorder.Start(list, c.mode, c.fixed_delay, 1);
    bool press = true;
    for (const std::int64_t time : c.key_times) {
      EXPECT_EQ(recorder.Record(press, kKeyA, "A", time), MacroRecorder::Outcome::kRecorded);
      press = !press;
    }
    recorder.Stop(c.stop_time);
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(Shape(list), c.expected);
  }
}

TEST(MacroRecorder, FifteenPairsFillTheListAndStopTheRecording) {
  EventList list;
  MacroRecorder recorder;
  recorder.Start(list, DelayMode::kNone, 0, 1);
  for (int pair = 0; pair < 14; ++pair) {
    ASSERT_EQ(recorder.Record(true, kKeyA, "A", 10 * pair), MacroRecorder::Outcome::kRecorded);
    ASSERT_EQ(recorder.Record(false, kKeyA, "A", 10 * pair + 5), MacroRecorder::Outcome::kRecorded);
  }
  EXPECT_EQ(recorder.Record(true, kKeyA, "A", 500), MacroRecorder::Outcome::kRecorded);
  EXPECT_EQ(recorder.Record(false, kKeyA, "A", 505), MacroRecorder::Outcome::kLimitReached);
  EXPECT_FALSE(recorder.Recording());
  EXPECT_EQ(list.size(), kRecordLimit);
  EXPECT_EQ(list.front().desc, "↓  A");
  EXPECT_EQ(list.back().desc, "↑  A");
}

TEST(EventList, InsertsLandAfterTheSelectionAndMovesKeepEveryItem) {
  EventList list;
  EXPECT_EQ(InsertClick(list, std::nullopt, kLeftButtonBits, 100), 0u);
  EXPECT_EQ(InsertKeyStroke(list, 0, kKeyA, "A", 200), 1u) << "after the selected press";
  EXPECT_EQ(Shape(list), (std::vector<std::pair<int, int>>{{kEventMouseDown, 1},
                                                           {kEventKeyDown, kKeyA},
                                                           {kEventDelay, 10},
                                                           {kEventKeyUp, kKeyA},
                                                           {kEventDelay, 10},
                                                           {kEventDelay, 10},
                                                           {kEventMouseUp, 1}}));
  EXPECT_EQ(list[0].desc, "↓  LB");
  EXPECT_EQ(list[2].desc, "10 ms");
  EXPECT_EQ(InsertDelay(list, 0, 300), 0u) << "a delay goes before the selection";
  EXPECT_EQ(EncodedRecords(list), 4u) << "delays make no record of their own";

  const EventList before = list;
  EXPECT_EQ(MoveToBottom(list, 0), list.size() - 1);
  EXPECT_EQ(MoveToTop(list, list.size() - 1), 0u);
  EXPECT_EQ(list, before);
  EXPECT_EQ(MoveUp(list, 0), 0u) << "the first stays first";
  EXPECT_EQ(MoveDown(list, list.size() - 1), list.size() - 1);
  EXPECT_EQ(MoveDown(list, 1), 2u);
  EXPECT_EQ(list[2], before[1]);
}

TEST(MacroOptions, ChoicesMapToTheHeaderAndFieldsClamp) {
  MacroHeader header{.macro_id = 3, .name = "Aim", .play_type = 0, .play_times = 7, .delay_type = 2, .delay_time = 40};
  const MacroOptionChoices choices = ChoicesOf(header);
  EXPECT_EQ(choices.delay_choice, 2);
  EXPECT_EQ(choices.play_choice, 2);
  EXPECT_EQ(WithChoices(header, choices), header);
  const MacroHeader mode1 =
      WithChoices(header, {.delay_choice = 0, .delay_time = 0, .play_choice = 0, .play_times = 9});
  EXPECT_EQ(mode1.play_type, 1);
  EXPECT_EQ(mode1.play_times, 1) << "a count only with the third play choice";
  EXPECT_EQ(mode1.name, "Aim");

  EXPECT_EQ(ReadDelayField(""), 10);
  EXPECT_EQ(ReadDelayField("0"), 1);
  EXPECT_EQ(ReadDelayField("20000"), 10000);
  EXPECT_EQ(ReadDelayField("12x"), 12);
  EXPECT_EQ(ReadPlayCountField("300", 150), 300);
  EXPECT_EQ(ReadPlayCountField("300", 201), 255);
  EXPECT_EQ(ReadPlayCountField("", 201), 1);
}

TEST(MacroNames, DefaultWordsAreShownInTheCurrentLanguage) {
  test::TempDir dir;
  AppSettings settings(dir / "config");
  LanguageCatalog languages(KORVANE_SOURCE_DATA, settings);
  for (const int lcid : {1028, 1033, 1041, 1042, 1049, 1058, 2052}) {
    SCOPED_TRACE(lcid);
    languages.SetCurrentLcid(lcid);
    const TextLookup text = languages.Lookup();
    const std::string word = text(text_id::kMacroDefaultName);
    EXPECT_EQ(DisplayedMacroName("Custom 2", text), word + " 2");
    EXPECT_EQ(DisplayedMacroName("自定义 5", text), word + " 5");
    EXPECT_EQ(DisplayedMacroName("Custom 2Copy", text), word + " 2 " + text(text_id::kCopy));
    EXPECT_EQ(DisplayedMacroName("Sniper", text), "Sniper") << "a name the user typed stays";
    EXPECT_EQ(DescribedMacroName("カスタム 3", text), word + " 3");
    EXPECT_EQ(DescribedMacroName("Burst Копировать", text), "Burst  " + text(text_id::kCopy));
    EXPECT_EQ(NewMacroName(text, 3), word + " 4");
  }
}

class MacroStore : public test::StoreTest {};

TEST_F(MacroStore, CreateStoreAndRenameKeepTheListAndTheButtonsInStep) {
  const TextLookup text = [](int id) { return id == text_id::kMacroDefaultName ? std::string("Custom") : ""; };
  for (int listed = 0; listed < 3; ++listed) ASSERT_GT(InsertMacroRow(store_, "Custom 1"), 0);
  const int macro = CreateMacro(store_, text, 3);
  MacroHeader header;
  ASSERT_TRUE(LoadMacroRow(store_, macro, header));
  EXPECT_EQ(header.name, "Custom 4") << "named by the count, even beside a macro of that name";
  EXPECT_EQ(header.delay_type, 1);
  EXPECT_EQ(header.play_times, 1);

  EventList list;
  InsertKeyStroke(list, std::nullopt, kKeyA, "A", 5);
  ASSERT_TRUE(StoreEventList(store_, macro, list));
  list.resize(2);
  ASSERT_TRUE(StoreEventList(store_, macro, list));
  std::vector<MacroEvent> stored;
  LoadEventRows(store_, macro, stored);
  ASSERT_EQ(stored.size(), 2u) << "the list replaces the events";
  EXPECT_EQ(stored[1].record_index, 1);
  EXPECT_EQ(stored[1].desc, "10 ms");

  for (const int profile : {1, 2}) {
    StoreKeyAssignment(
        store_, {.profile = profile, .key_code = 3, .macro_type = 4, .macro_value = macro, .macro_desc = "Custom 4"});
  }
  ASSERT_TRUE(RenameMacro(store_, macro, "Spray ✦", 1));
  ASSERT_TRUE(LoadMacroRow(store_, macro, header));
  EXPECT_EQ(header.name, "Spray ✦");
  KeyAssignment row;
  ASSERT_TRUE(LoadKeyAssignment(store_, 1, 3, row));
  EXPECT_EQ(row.macro_desc, "Spray ✦");
  ASSERT_TRUE(LoadKeyAssignment(store_, 2, 3, row));
  EXPECT_EQ(row.macro_desc, "Custom 4") << "another profile keeps its text";
}

}  // namespace
}  // namespace korvane
