#pragma once

#include <span>
#include <string>
#include <string_view>

#include "catalog/load_report.hpp"
#include "xml/xml_markup.hpp"

namespace korvane {

// The rules of the shipped XML files, used by the program (which reads past
// a violation and notes it) and by the shipped-file check (which rejects it).
struct ChildRule {
  std::string_view name;
  bool repeatable = false;
  bool any_position = false;  // may stand anywhere among its siblings
};

// Loads file and finds its root element; on failure fills report.error with
// the parser's message and byte offset. The cursor is on the root afterwards.
bool LoadXmlFile(XmlMarkup& xml, const std::filesystem::path& file, std::string_view root, LoadReport& report);

// Checks the children of the cursor's current level against the allowed
// names in their required order; the cursor is back at the start of the
// level afterwards.
void CheckChildren(XmlMarkup& xml, std::span<const ChildRule> rules, std::string_view where, LoadReport& report);

// Notes attributes of the current element that are not in known.
void CheckAttributes(const XmlMarkup& xml, std::span<const std::string_view> known, std::string_view where,
                     LoadReport& report);

// Reads an attribute with the leading-digits rule, as the program always
// does, and notes it when it is not plain decimal or lies outside [min, max].
int NumberAttrib(const XmlMarkup& xml, std::string_view name, int min, int max, std::string_view where,
                 LoadReport& report);

// Reads a text attribute and notes it when it is empty.
std::string RequiredAttrib(const XmlMarkup& xml, std::string_view name, std::string_view where, LoadReport& report);

}  // namespace korvane
