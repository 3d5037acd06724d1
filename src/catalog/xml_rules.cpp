#include "catalog/xml_rules.hpp"

#include <algorithm>

#include "common/text.hpp"

namespace korvane {

bool LoadXmlFile(XmlMarkup& xml, const std::filesystem::path& file, std::string_view root, LoadReport& report) {
  report.file = file;
  if (!xml.Load(file)) {
    report.error =
        xml.ErrorOffset() == 0 ? xml.Error() : xml.Error() + " at byte offset " + std::to_string(xml.ErrorOffset());
    return false;
  }
  if (!xml.FindElem(root)) {
    report.error = "no <" + std::string(root) + "> root element";
    return false;
  }
  report.loaded = true;
  return true;
}

void CheckChildren(XmlMarkup& xml, std::span<const ChildRule> rules, std::string_view where, LoadReport& report) {
  std::size_t position = 0;  // index of the last ordered rule seen
  std::vector<bool> seen(rules.size(), false);
  while (xml.FindAnyElem()) {
    const std::string tag = xml.TagName();
    const auto it = std::find_if(rules.begin(), rules.end(), [&](const ChildRule& r) { return r.name == tag; });
    const std::string place = std::string(where) + "/" + tag;
    if (it == rules.end()) {
      report.Problem(place + ": unknown element");
      continue;
    }
    const auto index = static_cast<std::size_t>(it - rules.begin());
    if (seen[index] && !it->repeatable) report.Problem(place + ": element appears twice");
    if (!it->any_position) {
      if (index < position) report.Problem(place + ": element out of order (readers search forward only)");
      position = std::max(position, index);
    }
    seen[index] = true;
  }
  if (xml.OutOfElem()) xml.IntoElem();
}

void CheckAttributes(const XmlMarkup& xml, std::span<const std::string_view> known, std::string_view where,
                     LoadReport& report) {
  for (const std::string& name : xml.AttribNames()) {
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      report.Problem(std::string(where) + ": unknown attribute '" + name + "'");
    }
  }
}

int NumberAttrib(const XmlMarkup& xml, std::string_view name, int min, int max, std::string_view where,
                 LoadReport& report) {
  const std::string text = xml.GetAttrib(name);
  const int value = LeadingNumber(text);
  const std::string place = std::string(where) + " " + std::string(name) + "=\"" + text + "\"";
  if (!ParseDecimal(text))
    report.Problem(place + ": not a decimal number");
  else if (value < min || value > max) {
    report.Problem(place + ": out of range " + std::to_string(min) + ".." + std::to_string(max));
  }
  return value;
}

std::string RequiredAttrib(const XmlMarkup& xml, std::string_view name, std::string_view where, LoadReport& report) {
  std::string text = xml.GetAttrib(name);
  if (text.empty()) report.Problem(std::string(where) + ": attribute '" + std::string(name) + "' is missing or empty");
  return text;
}

}  // namespace korvane
