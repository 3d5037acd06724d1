#include "store/macro_table.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "support/store_fixture.hpp"

namespace korvane {
namespace {

class MacroTable : public test::StoreTest {};

MacroEvent Event(int macro_id, int record_index) {
  return {.macro_id = macro_id,
          .type = record_index % 2,
          .record_index = record_index,
          .value = 0x04 + record_index,
          .delay_time = 10 * record_index,
          .desc = "A"};
}

TEST_F(MacroTable, HeadersAreInsertedUpdatedAndListed) {
  const int plain = InsertMacroRow(store_, "Plain");
  const int copied = InsertMacroRowFrom(
      store_, {.macro_id = 99, .name = "Copied", .play_type = 2, .play_times = 5, .delay_type = 0, .delay_time = 30});
  ASSERT_EQ(plain, 1);
  ASSERT_EQ(copied, 2) << "the header's own macro_id is not used";

  MacroHeader header;
  ASSERT_TRUE(LoadMacroRow(store_, plain, header));
  EXPECT_EQ(
      header,
      (MacroHeader{.macro_id = 1, .name = "Plain", .play_type = 0, .play_times = 1, .delay_type = 1, .delay_time = 0}));

  EXPECT_TRUE(UpdateMacroRow(
      store_, plain,
      {.macro_id = 2, .name = "Edited", .play_type = 1, .play_times = 3, .delay_type = 2, .delay_time = 7}));
  EXPECT_TRUE(RenameMacroRow(store_, copied, "Renamed"));
  std::vector<MacroHeader> headers{MacroHeader{}};
  ASSERT_EQ(LoadMacroRows(store_, headers), 2);
  EXPECT_EQ(headers[0],
            (MacroHeader{
                .macro_id = 1, .name = "Edited", .play_type = 1, .play_times = 3, .delay_type = 2, .delay_time = 7}));
  EXPECT_EQ(headers[1].name, "Renamed");
  EXPECT_EQ(headers[1].play_times, 5);
  EXPECT_FALSE(LoadMacroRow(store_, 3, header));
}

TEST_F(MacroTable, EventsComeBackOrderedByRecordIndex) {
  std::vector<MacroEvent> events;
  for (const int index : {3, 0, 4, 1, 2}) events.push_back(Event(1, index));
  InsertEventRows(store_, events);
  ASSERT_GT(InsertEventRow(store_, Event(2, 0)), 0);

  std::vector<MacroEvent> loaded{MacroEvent{}};
  ASSERT_EQ(LoadEventRows(store_, 1, loaded), 5);
  for (int i = 0; i < 5; ++i) {
    MacroEvent expected = Event(1, i);
    expected.record_id = loaded[static_cast<std::size_t>(i)].record_id;
    EXPECT_EQ(loaded[static_cast<std::size_t>(i)], expected);
  }
  EXPECT_EQ(loaded[0].record_id, 2) << "record ids follow the insertion order";
}

TEST_F(MacroTable, DeletingAMacroDeletesItsEventsOnly) {
  const int kept = InsertMacroRow(store_, "Kept");
  const int gone = InsertMacroRow(store_, "Gone");
  InsertEventRows(store_, {Event(kept, 0), Event(gone, 0), Event(gone, 1)});

  EXPECT_TRUE(DeleteMacroRow(store_, gone));
  std::vector<MacroEvent> events;
  EXPECT_EQ(LoadEventRows(store_, gone, events), 0);
  EXPECT_EQ(LoadEventRows(store_, kept, events), 1);
  MacroHeader header;
  EXPECT_FALSE(LoadMacroRow(store_, gone, header));
  EXPECT_TRUE(DeleteMacroRow(store_, 42)) << "an id that does not exist";

  EXPECT_TRUE(DeleteEventRows(store_, kept));
  EXPECT_EQ(LoadEventRows(store_, kept, events), 0);
  EXPECT_TRUE(LoadMacroRow(store_, kept, header)) << "deleting events keeps the header";
}

TEST_F(MacroTable, DeleteMacroRowKeepsTheEventsWhenTheHeaderDeleteFails) {
  const int macro = InsertMacroRow(store_, "M");
  InsertEventRows(store_, {Event(macro, 0)});
  ASSERT_EQ(store_.Db().Execute("DROP TABLE t_macro_data"), kSqliteOk);
  EXPECT_FALSE(DeleteMacroRow(store_, macro));
  std::vector<MacroEvent> events;
  EXPECT_EQ(LoadEventRows(store_, macro, events), 1);
}

}  // namespace
}  // namespace korvane
