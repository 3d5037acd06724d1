#include "files/macro_files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "macros/macro_events.hpp"
#include "store/macro_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane {
namespace {

constexpr int kKeyA = 0x41;
constexpr int kThreeDigitModel = 201;

class MacroFilesTest : public test::StoreTest {
 protected:
  int AddMacro(const std::string& name, const EventList& events) {
    const int id = InsertMacroRow(store_, name);
    EventList rows = events;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i].macro_id = id;
      rows[i].record_index = static_cast<int>(i);
    }
    InsertEventRows(store_, rows);
    return id;
  }

  std::vector<MacroHeader> Macros() {
    std::vector<MacroHeader> macros;
    LoadMacroRows(store_, macros);
    return macros;
  }

  EventList Events(int macro_id) {
    EventList events;
    LoadEventRows(store_, macro_id, events);
    return events;
  }

  MacroImport Import(const std::string& document) { return ImportMacroDocument(store_, document, kThreeDigitModel); }

  static EventList Stroke() {
    return {KeyEvent(true, kKeyA, "A", 7), DelayEvent(25, 8), KeyEvent(false, kKeyA, "A", 7)};
  }
};

TEST_F(MacroFilesTest, LayoutAWritesTheShownNameAndImportsAsANewMacroEachTime) {
  const int id = AddMacro("Custom 2", Stroke());
  std::string document;
  ASSERT_TRUE(MacroDocumentA(store_, id, "Пользоват 2", document));
  EXPECT_EQ(document.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n", 0), 0u);
  EXPECT_NE(document.find("<macroinfo macro_name=\"Пользоват 2\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
                          "delay_time=\"0\""),
            std::string::npos);
  EXPECT_NE(document.find("<item desc=\"25 ms\" index=\"1\" type=\"1\" value=\"25\" timestamp=\"8\""),
            std::string::npos);

  for (int round = 0; round < 2; ++round) ASSERT_EQ(Import(document).ids.size(), 1u);
  const auto macros = Macros();
  ASSERT_EQ(macros.size(), 3u);
  EXPECT_EQ(macros[1].name, "Пользоват 2");
  EXPECT_EQ(macros[2].name, macros[1].name) << "names are not made unique";
  const EventList copied = Events(macros[2].macro_id);
  ASSERT_EQ(copied.size(), 3u);
  EXPECT_EQ(copied[2].desc, "↑  A");
  EXPECT_EQ(copied[2].delay_time, 7);

  const int empty = AddMacro("Empty", {});
  ASSERT_TRUE(MacroDocumentA(store_, empty, "Empty", document));
  EXPECT_NE(document.find("<macroitems />"), std::string::npos) << document;
}

TEST_F(MacroFilesTest, LayoutBRoundTripsEveryMacroWithTheStoredNames) {
  AddMacro("Custom 1", Stroke());
  AddMacro("Quiet", {});
  AddMacro("Burst ✓", {MouseEvent(true, kLeftButtonBits, 3), MouseEvent(false, kLeftButtonBits, 3)});
  const std::string document = MacroDocumentB(store_);
  EXPECT_EQ(document.find("<macro_item macro_name=\"Quiet\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
                          "delay_time=\"0\" />"),
            document.find("<macro_item macro_name=\"Quiet\""))
      << "a macro without events has no record_item";

  const MacroImport imported = Import(document);
  ASSERT_EQ(imported.ids.size(), 3u);
  const auto macros = Macros();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(macros[static_cast<std::size_t>(i + 3)].name, macros[static_cast<std::size_t>(i)].name);
    const EventList original = Events(macros[static_cast<std::size_t>(i)].macro_id);
    const EventList copied = Events(imported.ids[static_cast<std::size_t>(i)]);
    ASSERT_EQ(copied.size(), original.size());
    for (std::size_t e = 0; e < copied.size(); ++e) {
      EXPECT_EQ(copied[e].desc, original[e].desc);
      EXPECT_EQ(copied[e].value, original[e].value);
    }
  }
}

TEST_F(MacroFilesTest, MissingElementsAndAttributesReadAsEmpty) {
  struct Case {
    const char* name;
    const char* document;
    std::vector<std::pair<std::string, std::size_t>> made;  // (name, events) per macro
  };
  const std::vector<Case> cases{
      {"no macroinfo: an empty name", "<macro><macroitems><item type='1' value='5'/></macroitems></macro>", {{"", 1}}},
      {"no macro_name", "<macro><macroinfo macro_type='1'/><macroitems/></macro>", {{"", 0}}},
      {"no macroitems", "<macro><macroinfo macro_name='Solo'/></macro>", {{"Solo", 0}}},
      {"three macro_items, one empty",
       "<macro><macro_item macro_name='a'><record_item><item type='1' value='3'/></record_item></macro_item>"
       "<macro_item macro_name='b'/><macro_item macro_name='c'><record_item/></macro_item></macro>",
       {{"a", 1}, {"b", 0}, {"c", 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const MacroHeader& macro : Macros()) DeleteMacroRow(store_, macro.macro_id);
    const MacroImport imported = Import(c.document);
    EXPECT_TRUE(imported.problem.empty());
    const auto macros = Macros();
    ASSERT_EQ(macros.size(), c.made.size());
    for (std::size_t i = 0; i < macros.size(); ++i) {
      EXPECT_EQ(macros[i].name, c.made[i].first);
      EXPECT_EQ(Events(macros[i].macro_id).size(), c.made[i].second);
    }
  }
}

// Files from strangers: nothing crashes, nothing out of range is stored,
// and a file that cannot be read says why and stores nothing.
TEST_F(MacroFilesTest, HostileFilesStoreOnlyWhatThePageCouldHaveMade) {
  std::string huge = "<macro><macroinfo macro_name='big'/><macroitems>";
  for (int i = 0; i < 201; ++i) huge += "<item type='1' value='10'/>";
  huge += "</macroitems></macro>";
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<macro>";
  const struct {
    const char* name;
    std::string document;
    bool readable;
    std::size_t macros;
  } cases[] = {
      {"empty", "", false, 0},
      {"truncated", "<macro><macroinfo macro_name='x'", false, 0},
      {"wrong root", "<profile><macroinfo/></profile>", false, 0},
      {"more events than the editor takes", huge, true, 0},
      {"deeply nested", deep, false, 0},
      {"entities are not expanded",
       "<!DOCTYPE macro [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;'>]>"
       "<macro><macroinfo macro_name='&b;'/></macro>",
       true, 1},
      {"out-of-range numbers",
       "<macro><macroinfo macro_name='n' macro_type='9' play_times='-4' delay_type='7' delay_time='99999999999'/>"
       "<macroitems><item type='1' value='-50'/><item type='1' value='999999'/><item type='2' value='4000'/>"
       "<item type='4' value='3'/><item type='9' value='1'/><item type='3' value='65x'/></macroitems></macro>",
       true, 1},
      {"invalid UTF-8", "<macro><macroinfo macro_name='\xC3\x28\xFF'/></macro>", true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const MacroHeader& macro : Macros()) DeleteMacroRow(store_, macro.macro_id);
    const MacroImport imported = Import(c.document);
    EXPECT_EQ(imported.problem.empty(), c.readable) << imported.problem;
    ASSERT_EQ(Macros().size(), c.macros);
    for (const MacroHeader& macro : Macros()) {
      EXPECT_TRUE(macro.play_type >= 0 && macro.play_type <= 2);
      EXPECT_TRUE(macro.play_times >= 1 && macro.play_times <= 255);
      EXPECT_TRUE(macro.delay_type >= 0 && macro.delay_type <= 2);
      EXPECT_TRUE(macro.delay_time >= 0 && macro.delay_time <= 10000);
      EXPECT_TRUE(IsValidUtf8(macro.name));
      for (const MacroEvent& event : Events(macro.macro_id)) {
        if (event.type == kEventDelay) {
          EXPECT_TRUE(event.value >= 1 && event.value <= 31000) << event.value;
        }
        if (event.type == kEventKeyDown || event.type == kEventKeyUp) {
          EXPECT_EQ(event.value, kKeyA);
        }
        EXPECT_NE(event.type, kEventMouseDown) << "bits 3 are no button";
        EXPECT_LE(event.type, kEventWheelDown);
      }
    }
  }
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macrorecord WHERE macro_id NOT IN (SELECT macro_id FROM t_macro_data)"), 0)
      << "nothing of a refused macro is left";
  std::string integrity;
  ReadOneRow(store_, "PRAGMA integrity_check", {}, [&](const SQLiteStatement& row) { integrity = row.ColumnText(0); });
  EXPECT_EQ(integrity, "ok");
}

TEST_F(MacroFilesTest, FilesThatAreNoSmallRegularFilesAreRefusedAndExportsNeverLeaveHalfFiles) {
  EXPECT_EQ(ImportMacroFile(store_, dir_.path(), kThreeDigitModel).problem, "not a regular file");
  EXPECT_EQ(ImportMacroFile(store_, dir_.path() / "missing.xml", kThreeDigitModel).problem, "no such file");
  const auto big = dir_.path() / "big.xml";
  std::ofstream(big).put('<');
  std::filesystem::resize_file(big, (16u << 20) + 1);
  EXPECT_EQ(ImportMacroFile(store_, big, kThreeDigitModel).problem, "larger than 16 MiB");

  const int id = AddMacro("Keep", Stroke());
  const auto file = dir_.path() / "keep.xml";
  ASSERT_TRUE(ExportMacroA(store_, id, "Keep", file));
  EXPECT_EQ(ImportMacroFile(store_, file, kThreeDigitModel).ids.size(), 1u);
  EXPECT_FALSE(ExportMacrosB(store_, dir_.path() / "no-folder" / "all.xml"));
  EXPECT_FALSE(std::filesystem::exists(dir_.path() / "no-folder"));
}

}  // namespace
}  // namespace korvane
