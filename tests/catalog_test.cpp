#include <gtest/gtest.h>

#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"
#include "catalog/model_definition.hpp"
#include "platform/app_settings.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

constexpr char kConfig[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<config>
  <device>
    <mouse name="Two Modes" device_type="201" device_attr="two" image="two.png">
      <mode value="0" desc="Wired" vid="3A7C" pid="1001" dev_id="A801" hid_interface="MI_02"/>
      <mode value="1" desc="Receiver" vid="0x3a7c" pid="1100" dev_id="A801" hid_interface="MI_02"/>
    </mouse>
    <mouse name="Bad Ids" device_type="202" device_attr="bad">
      <mode value="0" vid="XYZ" pid="1100" dev_id="A8"/>
    </mouse>
    <mouse name="Escape" device_type="203" device_attr="../up" image="e.png">
      <mode value="0" vid="3A7C" pid="1002" dev_id="A802" hid_interface="MI_02"/>
    </mouse>
  </device>
  <language.info default_lan="1033"><lan value="1033"/></language.info>
  <software caption="Cap" version="1.2.3">
    <website url="w"/><feedback url="f"/><qa url="q"/><upgrade url="u"/>
  </software>
</config>)";

struct RecordingRegistry : SupportedModeRegistry {
  std::vector<std::tuple<int, int, int, int, std::string>> modes;
  int clears = 0;
  void ClearSupportedModes() override {
    ++clears;
    modes.clear();
  }
  void AddSupportedMode(int vid, int pid, const std::string& name, int type, int mode,
                        const std::string& dev_id) override {
    EXPECT_TRUE(name.empty());
    modes.emplace_back(vid, pid, type, mode, dev_id);
  }
};

TEST(CatalogFile, OneModelPerMouseAndOneInterfacePerMode) {
  test::TempDir dir;
  LoadReport report;
  const DeviceCatalog catalog = ReadCatalogFile(dir.Write("config.xml", kConfig), "/skin", report);
  ASSERT_TRUE(report.loaded);
  ASSERT_EQ(catalog.models.size(), 2u);
  ASSERT_EQ(catalog.interfaces.size(), 3u);
  EXPECT_EQ(catalog.models[0].image, "/skin/device/two.png");
  EXPECT_EQ(catalog.interfaces[1].vid, 0x3A7C) << "hex with 0x prefix";
  EXPECT_EQ(catalog.interfaces[1].mode, kReceiver);
  EXPECT_EQ(catalog.interfaces[2].vid, 0) << "a vid that is not hex matches nothing";
  EXPECT_EQ(catalog.version, "1.2.3");
  EXPECT_EQ(catalog.upgrade_url, "u");
  EXPECT_EQ(report.problems.size(), 3u) << "the bad vid, the two-character dev_id and the model left out";
  EXPECT_FALSE(FindModel(catalog, 203)) << "a device_attr that leaves its folder drops the model";

  RecordingRegistry registry;
  RegisterInterfaces(catalog, registry);
  EXPECT_EQ(registry.clears, 1);
  ASSERT_EQ(registry.modes.size(), 3u);
  EXPECT_EQ(registry.modes[0], std::make_tuple(0x3A7C, 0x1001, 201, 0, std::string("A801")));
  EXPECT_EQ(registry.modes[1], std::make_tuple(0x3A7C, 0x1100, 201, 1, std::string("A801")));
}

TEST(CatalogFile, MissingOrMalformedFileGivesAnEmptyCatalogAndSaysWhere) {
  test::TempDir dir;
  LoadReport missing;
  EXPECT_TRUE(ReadCatalogFile(dir / "none.xml", {}, missing).models.empty());
  EXPECT_FALSE(missing.loaded);
  EXPECT_FALSE(missing.error.empty());

  const std::string truncated = std::string(kConfig).substr(0, 300);
  LoadReport broken;
  const DeviceCatalog catalog = ReadCatalogFile(dir.Write("config.xml", truncated), {}, broken);
  EXPECT_TRUE(catalog.models.empty() && catalog.interfaces.empty() && catalog.version.empty());
  EXPECT_FALSE(broken.loaded);
  EXPECT_NE(broken.error.find("offset"), std::string::npos) << broken.error;

  LoadReport wrong_root;
  ReadCatalogFile(dir.Write("other.xml", "<mouse/>"), {}, wrong_root);
  EXPECT_FALSE(wrong_root.loaded);
  EXPECT_TRUE(ReadStartupConfig(dir / "other.xml").caption.empty());
}

TEST(CatalogFile, SoftwareBeforeLanguageIsNotFoundByTheForwardReader) {
  test::TempDir dir;
  const auto file =
      dir.Write("config.xml", R"(<config><software caption="C" version="1"/><language.info default_lan="1033">)"
                              R"(<lan value="1033"/></language.info></config>)");
  const StartupConfig config = ReadStartupConfig(file);
  EXPECT_EQ(config.languages, std::vector<int>{1033});
  EXPECT_EQ(config.caption, "") << "software must stand after language.info";
  LoadReport report;
  ReadCatalogFile(file, {}, report);
  EXPECT_FALSE(report.problems.empty()) << "the strict rules flag the order";
}

TEST(ParseRect, SplitsAtHashesWithMissingPartsZero) {
  struct Case {
    const char* text;
    Point from, to;
    bool strict;
  };
  const Case cases[] = {
      {"120#300#45", {120, 45}, {300, 45}, true}, {"45", {0, 45}, {0, 45}, false}, {"10#45", {10, 45}, {0, 45}, false},
      {"a#b#c", {0, 0}, {0, 0}, false},           {"", {0, 0}, {0, 0}, false},
  };
  for (const Case& c : cases) {
    const LeaderLine line = ParseRect(c.text);
    EXPECT_EQ(line.from, c.from) << c.text;
    EXPECT_EQ(line.to, c.to) << c.text;
    EXPECT_EQ(line.strict, c.strict) << c.text;
  }
}

constexpr char kFullModel[] = R"(<mouse>
  <image_file mouse_img="top.png"/>
  <menu light="0"/>
  <custom show_dpitips="1" show_savetips="0" show_lod="0" show_sensor="1"/>
  <firmware url="http://127.0.0.1/fw"/>
  <mouse_key>
    <key name="900" key_value="0" direction="0" rect="120#300#45" func_desc="920" func_type="1" func_value="1"/>
    <key name="901" key_value="1" direction="1" rect="10#20#45" func_desc="921" func_type="1" func_value="3"/>
  </mouse_key>
  <mouse_info>
    <dpi_info default_dpi="1" dpi_count="4">
      <dpi_1 value="400" color="#FF8000"/><dpi_2 value="800" color="#0000FF"/>
    </dpi_info>
    <report_rate default_value="1"/>
    <sleep_light value="30"/>
    <light_info><light_2 enable="1"/><light_5 enable="1"/></light_info>
    <move_wakeup value="1"/>
    <move_closelight value="0"/>
  </mouse_info>
</mouse>)";

TEST(ModelDefinition, ReadsEverySectionWithLightInfoAnywhere) {
  test::TempDir dir;
  DeviceModel model;
  LoadReport report;
  ASSERT_TRUE(ReadModelDefinition(dir.Write("m.xml", kFullModel), model, report));
  for (const std::string& problem : report.problems) ADD_FAILURE() << problem;
  EXPECT_EQ(model.picture, "device/top.png");
  EXPECT_FALSE(model.light_page_shown);
  EXPECT_TRUE(model.dpi_tip_shown);
  EXPECT_FALSE(model.save_tip_shown);
  EXPECT_FALSE(model.lod_shown);
  EXPECT_EQ(model.firmware_url, "http://127.0.0.1/fw");
  ASSERT_EQ(model.buttons.size(), 2u);
  EXPECT_EQ(model.buttons[1].leader_from, (Point{10, 45}));
  EXPECT_EQ(model.buttons[1].leader_to, (Point{20, 45}));
  const KeyAssignment expected{0, 0, 0, 1, 1, "901", 1, 3, 0, 0, "921"};
  EXPECT_EQ(model.default_keys[1], expected);
  EXPECT_EQ(model.light_modes, (std::array<bool, 6>{false, true, false, false, true, false}));
  EXPECT_EQ(model.defaults.dpi_count, 4);
  EXPECT_EQ(model.defaults.default_dpi, 1);
  EXPECT_EQ(model.defaults.dpi_colour[0], 33023);
  EXPECT_EQ(model.defaults.dpi_colour[1], 16711680);
  EXPECT_FALSE(model.defaults.dpi_value[2]);
  EXPECT_EQ(model.defaults.report_rate, 1);
  EXPECT_EQ(model.defaults.move_wakeup, 1);
  EXPECT_EQ(model.defaults.move_closelight, 0);
}

TEST(ModelDefinition, AbsentElementsKeepThePreviousModelsValues) {
  test::TempDir dir;
  DeviceModel model;
  LoadReport first;
  ASSERT_TRUE(ReadModelDefinition(dir.Write("a.xml", kFullModel), model, first));
  LoadReport second;
  ASSERT_TRUE(ReadModelDefinition(dir.Write("b.xml", "<mouse><menu light=\"1\"/></mouse>"), model, second));
  EXPECT_TRUE(model.light_page_shown);
  EXPECT_FALSE(model.lod_shown) << "no <custom>: the flags stay";
  EXPECT_EQ(model.buttons.size(), 2u) << "no <mouse_key>: the buttons stay";
  EXPECT_EQ(model.firmware_url, "http://127.0.0.1/fw");

  LoadReport broken;
  EXPECT_FALSE(ReadModelDefinition(dir.Write("c.xml", "<mouse><menu light="), model, broken));
  EXPECT_FALSE(broken.error.empty());
  EXPECT_TRUE(model.light_page_shown);
}

TEST(ModelDefinition, StrictRulesFlagUnknownOutOfOrderAndOutOfRange) {
  test::TempDir dir;
  DeviceModel model;
  LoadReport report;
  ReadModelDefinition(dir.Write("m.xml", R"(<mouse>
    <menu light="1"/>
    <custom show_dpitips="2" show_savetips="1" show_lod="1" show_sensor="1" extra="1"/>
    <wheel/>
    <mouse_key><key name="900" key_value="0" direction="0" rect="1#2" func_desc="920" func_type="1" func_value="1"/></mouse_key>
    <mouse_info><dpi_info default_dpi="6" dpi_count="6"><dpi_1 value="10" color="#FFF"/></dpi_info>
      <report_rate default_value="3"/></mouse_info>
  </mouse>)"),
                      model, report);
  EXPECT_EQ(model.defaults.dpi_count, 6);
  EXPECT_FALSE(model.defaults.default_dpi) << "a default that breaks a rule is never stored or sent";
  EXPECT_FALSE(model.defaults.dpi_value[0]);
  EXPECT_FALSE(model.defaults.dpi_colour[0]);
  EXPECT_FALSE(model.defaults.report_rate);
  ReadModelDefinition(dir.Write("order.xml", "<mouse><custom/><menu light=\"1\"/></mouse>"), model, report);
  const std::vector<std::string> expected_fragments{"show_dpitips", "extra", "menu: element out of order",
                                                    "wheel",        "rect",  "default_dpi",
                                                    "value=\"10\"", "#FFF",  "default_value"};
  for (const std::string& fragment : expected_fragments) {
    const bool found = std::any_of(report.problems.begin(), report.problems.end(),
                                   [&](const std::string& p) { return p.find(fragment) != std::string::npos; });
    EXPECT_TRUE(found) << "no problem mentions " << fragment;
  }
}

TEST(CurrentModel, StoredAsDecimalTextInTheSettings) {
  test::TempDir dir;
  AppSettings settings(dir / "cfg");
  EXPECT_EQ(GetCurrentType(settings), 0);
  SetCurrentType(settings, 203);
  EXPECT_EQ(GetCurrentType(settings), 203);
}

}  // namespace
}  // namespace korvane
