#include "catalog/catalog_file.hpp"

#include <array>
#include <set>
#include <tuple>

#include "catalog/xml_rules.hpp"
#include "common/text.hpp"
#include "xml/xml_markup.hpp"

namespace korvane {

namespace fs = std::filesystem;

namespace {

constexpr std::array kConfigChildren{ChildRule{"device"}, ChildRule{"language.info"}, ChildRule{"software"}};
constexpr std::array kDeviceChildren{ChildRule{"mouse", true}};
constexpr std::array kMouseChildren{ChildRule{"mode", true}};
constexpr std::array kLanguageChildren{ChildRule{"lan", true}};
constexpr std::array kSoftwareChildren{ChildRule{"website"}, ChildRule{"feedback"}, ChildRule{"qa"},
                                       ChildRule{"upgrade"}};
constexpr std::array<std::string_view, 4> kMouseAttribs{"name", "device_type", "device_attr", "image"};
constexpr std::array<std::string_view, 6> kModeAttribs{"value", "desc", "vid", "pid", "dev_id", "hid_interface"};
constexpr std::array<std::string_view, 1> kLanAttribs{"value"};
constexpr std::array<std::string_view, 1> kLanguageAttribs{"default_lan"};
constexpr std::array<std::string_view, 2> kSoftwareAttribs{"caption", "version"};
constexpr std::array<std::string_view, 1> kUrlAttribs{"url"};

int UsbId(const XmlMarkup& xml, std::string_view name, const std::string& where, LoadReport& report) {
  const std::string text = xml.GetAttrib(name);
  const auto value = ParseHex(text);
  if (!value || *value == 0 || *value > 0xFFFF) {
    report.Problem(where + " " + std::string(name) + "=\"" + text + "\": not a USB id (1 to 4 hex digits)");
  }
  return value && *value <= 0xFFFF ? static_cast<int>(*value) : 0;
}

void ReadModels(XmlMarkup& xml, const fs::path& skin_folder, DeviceCatalog& catalog, LoadReport& report) {
  CheckChildren(xml, kDeviceChildren, "config/device", report);
  std::set<int> types;
  std::set<std::tuple<int, int, std::string>> claimed;
  while (xml.FindElem("mouse")) {
    CatalogEntry model;
    const std::string where = "config/device/mouse[" + std::to_string(catalog.models.size() + 1) + "]";
    CheckAttributes(xml, kMouseAttribs, where, report);
    model.name = RequiredAttrib(xml, "name", where, report);
    model.device_type = NumberAttrib(xml, "device_type", 1, 0x7FFFFFFF, where, report);
    model.device_attr = xml.GetAttrib("device_attr");
    model.image = (skin_folder / "device" / xml.GetAttrib("image")).string();
    // device_attr names the model's files: a model whose name could reach
    // outside its folders is reported and left out.
    if (!IsSafeFileStem(model.device_attr)) {
      report.Problem(where + ": device_attr must be letters, digits, '_' or '-'; the model is left out");
      continue;
    }
    if (!types.insert(model.device_type).second) {
      report.Problem(where + ": device_type " + std::to_string(model.device_type) + " is used twice");
    }
    catalog.models.push_back(model);

    xml.IntoElem();
    CheckChildren(xml, kMouseChildren, where, report);
    while (xml.FindElem("mode")) {
      CatalogEntry entry = model;
      const std::string mode_where = where + "/mode";
      CheckAttributes(xml, kModeAttribs, mode_where, report);
      entry.mode = NumberAttrib(xml, "value", 0, 1, mode_where, report);
      entry.desc = xml.GetAttrib("desc");
      entry.vid = UsbId(xml, "vid", mode_where, report);
      entry.pid = UsbId(xml, "pid", mode_where, report);
      entry.dev_id = xml.GetAttrib("dev_id");
      entry.hid_interface = xml.GetAttrib("hid_interface");
      if (entry.dev_id.size() != 4) report.Problem(mode_where + ": dev_id must have four characters");
      if (!claimed.emplace(entry.vid, entry.pid, entry.dev_id).second) {
        report.Problem(mode_where + ": USB id " + Hex4(static_cast<unsigned>(entry.vid)) + ":" +
                       Hex4(static_cast<unsigned>(entry.pid)) + " with dev_id \"" + entry.dev_id +
                       "\" is claimed twice");
      }
      catalog.interfaces.push_back(entry);
    }
    xml.OutOfElem();
  }
}

void ReadSoftware(XmlMarkup& xml, DeviceCatalog& catalog, LoadReport& report) {
  CheckAttributes(xml, kSoftwareAttribs, "config/software", report);
  RequiredAttrib(xml, "caption", "config/software", report);
  catalog.version = RequiredAttrib(xml, "version", "config/software", report);
  xml.IntoElem();
  CheckChildren(xml, kSoftwareChildren, "config/software", report);
  const std::array<std::pair<const char*, std::string*>, 4> links{{{"website", &catalog.website_url},
                                                                   {"feedback", &catalog.feedback_url},
                                                                   {"qa", &catalog.qa_url},
                                                                   {"upgrade", &catalog.upgrade_url}}};
  for (const auto& [name, target] : links) {
    if (xml.FindElem(name)) {
      const std::string where = std::string("config/software/") + name;
      CheckAttributes(xml, kUrlAttribs, where, report);
      *target = RequiredAttrib(xml, "url", where, report);
    }
  }
  xml.OutOfElem();
}

void CheckLanguages(XmlMarkup& xml, LoadReport& report) {
  CheckAttributes(xml, kLanguageAttribs, "config/language.info", report);
  NumberAttrib(xml, "default_lan", 1, 0xFFFF, "config/language.info", report);
  xml.IntoElem();
  CheckChildren(xml, kLanguageChildren, "config/language.info", report);
  std::set<int> seen;
  while (xml.FindElem("lan")) {
    CheckAttributes(xml, kLanAttribs, "config/language.info/lan", report);
    const int lcid = NumberAttrib(xml, "value", 1, 0xFFFF, "config/language.info/lan", report);
    if (!seen.insert(lcid).second)
      report.Problem("config/language.info/lan " + std::to_string(lcid) + ": listed twice");
  }
  xml.OutOfElem();
}

}  // namespace

fs::path CatalogFilePath(const fs::path& resources) { return resources / "config.xml"; }

DeviceCatalog ReadCatalogFile(const fs::path& file, const fs::path& skin_folder, LoadReport& report) {
  DeviceCatalog catalog;
  XmlMarkup xml;
  if (!LoadXmlFile(xml, file, "config", report)) return catalog;
  xml.IntoElem();
  CheckChildren(xml, kConfigChildren, "config", report);
  if (xml.FindElem("device")) {
    xml.IntoElem();
    ReadModels(xml, skin_folder, catalog, report);
    xml.OutOfElem();
  }
  if (xml.FindElem("language.info")) CheckLanguages(xml, report);
  if (xml.FindElem("software")) ReadSoftware(xml, catalog, report);
  return catalog;
}

StartupConfig ReadStartupConfig(const fs::path& file) {
  StartupConfig config;
  XmlMarkup xml;
  LoadReport ignored;
  if (!LoadXmlFile(xml, file, "config", ignored)) return config;
  xml.IntoElem();
  if (xml.FindElem("language.info")) {
    config.default_lcid = LeadingNumber(xml.GetAttrib("default_lan"));
    xml.IntoElem();
    while (xml.FindElem("lan")) config.languages.push_back(LeadingNumber(xml.GetAttrib("value")));
    xml.OutOfElem();
  }
  if (xml.FindElem("software")) config.caption = xml.GetAttrib("caption");
  return config;
}

}  // namespace korvane
