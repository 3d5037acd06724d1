#include "catalog/model_definition.hpp"

#include <algorithm>

#include "catalog/xml_rules.hpp"
#include "common/colour.hpp"
#include "common/text.hpp"
#include "xml/xml_markup.hpp"

namespace korvane {

namespace fs = std::filesystem;

namespace {

constexpr std::array kMouseChildren{ChildRule{"image_file"}, ChildRule{"menu"},      ChildRule{"custom"},
                                    ChildRule{"firmware"},   ChildRule{"mouse_key"}, ChildRule{"mouse_info"}};
constexpr std::array kKeyChildren{ChildRule{"key", true}};
constexpr std::array kInfoChildren{ChildRule{"light_info", false, true},
                                   ChildRule{"dpi_info"},
                                   ChildRule{"report_rate"},
                                   ChildRule{"sleep_light"},
                                   ChildRule{"move_wakeup"},
                                   ChildRule{"move_closelight"}};
constexpr std::array kLightChildren{ChildRule{"light_1"}, ChildRule{"light_2"}, ChildRule{"light_3"},
                                    ChildRule{"light_4"}, ChildRule{"light_5"}, ChildRule{"light_6"}};
constexpr std::array kDpiChildren{ChildRule{"dpi_1"}, ChildRule{"dpi_2"}, ChildRule{"dpi_3"},
                                  ChildRule{"dpi_4"}, ChildRule{"dpi_5"}, ChildRule{"dpi_6"}};
constexpr std::array<std::string_view, 1> kImageAttribs{"mouse_img"};
constexpr std::array<std::string_view, 1> kMenuAttribs{"light"};
constexpr std::array<std::string_view, 4> kCustomAttribs{"show_dpitips", "show_savetips", "show_lod", "show_sensor"};
constexpr std::array<std::string_view, 1> kUrlAttribs{"url"};
constexpr std::array<std::string_view, 7> kKeyAttribs{"name",      "key_value", "direction", "rect",
                                                      "func_desc", "func_type", "func_value"};
constexpr std::array<std::string_view, 1> kEnableAttribs{"enable"};
constexpr std::array<std::string_view, 2> kDpiInfoAttribs{"default_dpi", "dpi_count"};
constexpr std::array<std::string_view, 2> kDpiAttribs{"value", "color"};
constexpr std::array<std::string_view, 1> kDefaultValueAttribs{"default_value"};
constexpr std::array<std::string_view, 1> kValueAttribs{"value"};

constexpr std::array kReportRateCodes{1, 2, 4, 8, 16, 32, 64};
constexpr std::array kSleepValues{6, 12, 30, 60, 120, 180};
constexpr int kMinDpi = 50;
constexpr int kMaxDpi = 30000;
constexpr int kMaxButtonCode = 19;

int OneOf(const XmlMarkup& xml, std::string_view name, std::span<const int> allowed, const std::string& where,
          LoadReport& report) {
  const int value = NumberAttrib(xml, name, 0, 0x7FFFFFFF, where, report);
  if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
    report.Problem(where + " " + std::string(name) + "=" + std::to_string(value) + ": not an allowed value");
  }
  return value;
}

bool Flag(const XmlMarkup& xml, std::string_view name, const std::string& where, LoadReport& report) {
  return NumberAttrib(xml, name, 0, 1, where, report) == 1;
}

void ReadButtons(XmlMarkup& xml, DeviceModel& model, LoadReport& report) {
  xml.IntoElem();
  CheckChildren(xml, kKeyChildren, "mouse/mouse_key", report);
  model.buttons.clear();
  model.default_keys.clear();
  while (xml.FindElem("key")) {
    const std::string where = "mouse/mouse_key/key[" + std::to_string(model.buttons.size() + 1) + "]";
    CheckAttributes(xml, kKeyAttribs, where, report);
    ModelButton button;
    button.name_id = NumberAttrib(xml, "name", 1, 0xFFFF, where, report);
    button.key_value = NumberAttrib(xml, "key_value", 0, kMaxButtonCode, where, report);
    button.direction = NumberAttrib(xml, "direction", 0, 1, where, report);
    const std::string rect = xml.GetAttrib("rect");
    const LeaderLine line = ParseRect(rect);
    if (!line.strict) report.Problem(where + " rect=\"" + rect + "\": not three numbers a#b#c");
    button.leader_from = line.from;
    button.leader_to = line.to;
    button.func_desc_id = NumberAttrib(xml, "func_desc", 1, 0xFFFF, where, report);
    const bool duplicate = std::any_of(model.buttons.begin(), model.buttons.end(),
                                       [&](const ModelButton& b) { return b.key_value == button.key_value; });
    if (duplicate) report.Problem(where + ": key_value " + std::to_string(button.key_value) + " is used twice");
    model.buttons.push_back(button);

    KeyAssignment key;
    key.key_code = button.key_value;
    key.layout_value = button.key_value;
    key.layout_desc = xml.GetAttrib("name");
    key.macro_type = NumberAttrib(xml, "func_type", 0, 255, where, report);
    key.macro_value = NumberAttrib(xml, "func_value", 0, 0xFFFFFF, where, report);
    key.macro_desc = xml.GetAttrib("func_desc");
    model.default_keys.push_back(key);
  }
  xml.OutOfElem();
}

void ReadLightModes(XmlMarkup& xml, DeviceModel& model, LoadReport& report) {
  if (!xml.FindElem("light_info")) return;
  xml.IntoElem();
  CheckChildren(xml, kLightChildren, "mouse/mouse_info/light_info", report);
  for (int mode = 1; mode <= kLightModes; ++mode) {
    const std::string name = "light_" + std::to_string(mode);
    if (xml.FindElem(name)) {
      const std::string where = "mouse/mouse_info/light_info/" + name;
      CheckAttributes(xml, kEnableAttribs, where, report);
      model.light_modes[static_cast<std::size_t>(mode - 1)] = Flag(xml, "enable", where, report);
    }
  }
  xml.OutOfElem();
}

// A default is stored in every new profile and sent to the mouse, so one that
// breaks a rule is reported and left unset instead of being used.
template <typename Read>
std::optional<int> CleanValue(LoadReport& report, Read read) {
  const std::size_t problems = report.problems.size();
  const int value = read();
  return report.problems.size() == problems ? std::optional<int>(value) : std::nullopt;
}

void ReadDpiDefaults(XmlMarkup& xml, ModelDefaults& defaults, LoadReport& report) {
  const std::string info = "mouse/mouse_info/dpi_info";
  CheckAttributes(xml, kDpiInfoAttribs, info, report);
  defaults.dpi_count =
      CleanValue(report, [&] { return NumberAttrib(xml, "dpi_count", 1, kMaxDpiLevels, info, report); });
  defaults.default_dpi =
      CleanValue(report, [&] { return NumberAttrib(xml, "default_dpi", 0, kMaxDpiLevels - 1, info, report); });
  if (defaults.default_dpi && defaults.dpi_count && *defaults.default_dpi >= *defaults.dpi_count) {
    report.Problem(info + ": default_dpi is not below dpi_count");
    defaults.default_dpi.reset();
  }
  xml.IntoElem();
  CheckChildren(xml, kDpiChildren, info, report);
  for (int level = 1; level <= kMaxDpiLevels; ++level) {
    const std::string name = "dpi_" + std::to_string(level);
    if (!xml.FindElem(name)) continue;
    const std::string where = info + "/" + name;
    CheckAttributes(xml, kDpiAttribs, where, report);
    const auto k = static_cast<std::size_t>(level - 1);
    defaults.dpi_value[k] =
        CleanValue(report, [&] { return NumberAttrib(xml, "value", kMinDpi, kMaxDpi, where, report); });
    const std::string colour = xml.GetAttrib("color");
    defaults.dpi_colour[k] = StrictColourFromText(colour);
    if (!defaults.dpi_colour[k]) report.Problem(where + " color=\"" + colour + "\": not #RRGGBB");
  }
  xml.OutOfElem();
}

void ReadDefaults(XmlMarkup& xml, ModelDefaults& defaults, LoadReport& report) {
  const std::string info = "mouse/mouse_info";
  if (xml.FindElem("dpi_info")) ReadDpiDefaults(xml, defaults, report);
  if (xml.FindElem("report_rate")) {
    CheckAttributes(xml, kDefaultValueAttribs, info + "/report_rate", report);
    defaults.report_rate = CleanValue(
        report, [&] { return OneOf(xml, "default_value", kReportRateCodes, info + "/report_rate", report); });
  }
  if (xml.FindElem("sleep_light")) {
    CheckAttributes(xml, kValueAttribs, info + "/sleep_light", report);
    defaults.sleep_light =
        CleanValue(report, [&] { return OneOf(xml, "value", kSleepValues, info + "/sleep_light", report); });
  }
  if (xml.FindElem("move_wakeup")) {
    CheckAttributes(xml, kValueAttribs, info + "/move_wakeup", report);
    defaults.move_wakeup =
        CleanValue(report, [&] { return NumberAttrib(xml, "value", 0, 1, info + "/move_wakeup", report); });
  }
  if (xml.FindElem("move_closelight")) {
    CheckAttributes(xml, kValueAttribs, info + "/move_closelight", report);
    defaults.move_closelight =
        CleanValue(report, [&] { return NumberAttrib(xml, "value", 0, 1, info + "/move_closelight", report); });
  }
}

// <light_info> may stand anywhere among the children of <mouse_info>, so it
// is looked for from the start; the other children in their order.
void ReadMouseInfo(XmlMarkup& xml, DeviceModel& model, LoadReport& report) {
  xml.IntoElem();
  CheckChildren(xml, kInfoChildren, "mouse/mouse_info", report);
  ReadLightModes(xml, model, report);
  xml.OutOfElem();
  xml.IntoElem();
  ModelDefaults defaults;
  ReadDefaults(xml, defaults, report);
  model.defaults = defaults;
  xml.OutOfElem();
}

}  // namespace

LeaderLine ParseRect(std::string_view text) {
  // Each split takes the number before the first '#'; without '#' the
  // number is 0 and the whole text stays for the next split.
  auto split = [](std::string_view& rest, bool& strict) {
    const auto hash = rest.find('#');
    if (hash == std::string_view::npos) {
      strict = false;
      return 0;
    }
    const std::string_view part = rest.substr(0, hash);
    if (!ParseDecimal(part)) strict = false;
    rest.remove_prefix(hash + 1);
    return LeadingNumber(part);
  };
  LeaderLine line;
  line.strict = true;
  std::string_view rest = text;
  const int a = split(rest, line.strict);
  const int b = split(rest, line.strict);
  const int c = LeadingNumber(rest);
  if (!ParseDecimal(rest)) line.strict = false;
  line.from = {a, c};
  line.to = {b, c};
  return line;
}

fs::path ModelFilePath(const fs::path& resources, const std::string& device_attr) {
  return resources / "device" / (device_attr + ".xml");
}

bool ReadModelDefinition(const fs::path& file, DeviceModel& model, LoadReport& report) {
  XmlMarkup xml;
  if (!LoadXmlFile(xml, file, "mouse", report)) return false;
  xml.IntoElem();
  CheckChildren(xml, kMouseChildren, "mouse", report);
  if (xml.FindElem("image_file")) {
    CheckAttributes(xml, kImageAttribs, "mouse/image_file", report);
    model.picture = "device/" + RequiredAttrib(xml, "mouse_img", "mouse/image_file", report);
  }
  if (xml.FindElem("menu")) {
    CheckAttributes(xml, kMenuAttribs, "mouse/menu", report);
    model.light_page_shown = Flag(xml, "light", "mouse/menu", report);
  }
  if (xml.FindElem("custom")) {
    CheckAttributes(xml, kCustomAttribs, "mouse/custom", report);
    model.dpi_tip_shown = Flag(xml, "show_dpitips", "mouse/custom", report);
    model.save_tip_shown = Flag(xml, "show_savetips", "mouse/custom", report);
    model.lod_shown = Flag(xml, "show_lod", "mouse/custom", report);
    model.sensor_shown = Flag(xml, "show_sensor", "mouse/custom", report);
  }
  if (xml.FindElem("firmware")) {
    CheckAttributes(xml, kUrlAttribs, "mouse/firmware", report);
    model.firmware_url = xml.GetAttrib("url");
  }
  if (xml.FindElem("mouse_key")) ReadButtons(xml, model, report);
  if (xml.FindElem("mouse_info")) ReadMouseInfo(xml, model, report);
  return true;
}

ModelDefaults ReadModelDefaultsFile(const fs::path& file) {
  DeviceModel model;
  LoadReport ignored;
  ReadModelDefinition(file, model, ignored);
  return model.defaults;
}

}  // namespace korvane
