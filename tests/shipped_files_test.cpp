// Loads every shipped catalog, definition and language file with the
// program's own readers and rejects anything the strict rules flag.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "buttons/button_table.hpp"
#include "catalog/catalog_file.hpp"
#include "catalog/model_definition.hpp"
#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "language/language_file.hpp"

namespace korvane {
namespace {

const std::filesystem::path kData = KORVANE_SOURCE_DATA;

std::string Describe(const LoadReport& report) {
  std::string text = report.file.string() + (report.loaded ? "" : ": " + report.error);
  for (const std::string& problem : report.problems) text += "\n  " + problem;
  return text;
}

std::set<int> UsedTextIds() {
  std::set<int> ids;
  for (const auto& entry : text_id::kAll)
    EXPECT_TRUE(ids.insert(entry.number).second) << entry.name << " repeats a number";
  return ids;
}

DeviceCatalog ShippedCatalog() {
  LoadReport report;
  DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(kData), {}, report);
  EXPECT_TRUE(report.Clean()) << Describe(report);
  return catalog;
}

TEST(ShippedFiles, CatalogIsCleanAndCoversTheRequiredModels) {
  const DeviceCatalog catalog = ShippedCatalog();
  ASSERT_GE(catalog.models.size(), 3u);
  const StartupConfig config = ReadStartupConfig(CatalogFilePath(kData));
  EXPECT_EQ(config.caption, "Korvane Center");
  EXPECT_EQ(config.languages, (std::vector<int>{2052, 1033, 1028, 1041, 1042, 1058, 1049}));

  bool wired_and_receiver = false;
  bool shared_receiver = false;
  bool type_above_200 = false;
  for (const CatalogEntry& model : catalog.models) {
    std::set<int> modes;
    for (const CatalogEntry& entry : catalog.interfaces) {
      if (entry.device_type == model.device_type) modes.insert(entry.mode);
    }
    wired_and_receiver |= modes.size() == 2;
    type_above_200 |= model.device_type >= 201;
  }
  for (const CatalogEntry& a : catalog.interfaces) {
    for (const CatalogEntry& b : catalog.interfaces) {
      shared_receiver |= a.mode == kReceiver && b.mode == kReceiver && a.device_type != b.device_type &&
                         a.vid == b.vid && a.pid == b.pid && a.dev_id != b.dev_id;
    }
  }
  EXPECT_TRUE(wired_and_receiver);
  EXPECT_TRUE(shared_receiver);
  EXPECT_TRUE(type_above_200);
}

TEST(ShippedFiles, EveryModelDefinitionIsCleanAndNamesKnownTexts) {
  const std::set<int> ids = UsedTextIds();
  bool one_without_lighting = false;
  for (const CatalogEntry& entry : ShippedCatalog().models) {
    DeviceModel model;
    LoadReport report;
    ASSERT_TRUE(ReadModelDefinition(ModelFilePath(kData, entry.device_attr), model, report)) << Describe(report);
    EXPECT_TRUE(report.Clean()) << Describe(report);
    for (const ModelButton& button : model.buttons) {
      EXPECT_TRUE(ids.count(button.name_id)) << entry.device_attr << " button name " << button.name_id;
      EXPECT_TRUE(ids.count(button.func_desc_id)) << entry.device_attr << " function " << button.func_desc_id;
      // The button table command carries buttons 0 to 8 only.
      EXPECT_LT(button.key_value, kButtonsSentToTheMouse)
          << entry.device_attr << " button " << button.key_value << " could never reach the mouse";
    }
    EXPECT_TRUE(model.defaults.dpi_count && model.defaults.report_rate && model.defaults.sleep_light)
        << entry.device_attr << " lacks DPI, report-rate or sleep defaults";
    one_without_lighting |= !model.light_page_shown && (!model.lod_shown || !model.sensor_shown);
  }
  EXPECT_TRUE(one_without_lighting) << "a model without lighting that hides an optional section";
}

TEST(ShippedFiles, EveryLanguageFileIsCleanAndHasEveryText) {
  const std::set<int> ids = UsedTextIds();
  ASSERT_GT(ids.size(), 100u);
  bool utf16 = false;
  for (int lcid : ReadStartupConfig(CatalogFilePath(kData)).languages) {
    const auto file = LanguageFilePath(kData, lcid);
    const LanguageFileResult result = LoadLanguageFile(file);
    ASSERT_TRUE(result.loaded) << file;
    for (const std::string& problem : result.problems) ADD_FAILURE() << file << ": " << problem;
    for (int id : ids) {
      const auto it = result.texts.find(id);
      EXPECT_TRUE(it != result.texts.end() && !it->second.empty()) << file << " lacks text " << id;
    }
    std::ifstream in(file, std::ios::binary);
    char bom[2] = {};
    in.read(bom, 2);
    utf16 |= bom[0] == '\xFF' && bom[1] == '\xFE';
  }
  EXPECT_TRUE(utf16) << "at least one language file ships as UTF-16LE";
}

}  // namespace
}  // namespace korvane
