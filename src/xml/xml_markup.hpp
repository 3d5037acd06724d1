#pragma once

#include <cstddef>
#include <filesystem>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// A cursor over an XML document, used to read the catalog and definition
// files and to read and write macro and profile files.
//
// The cursor has a level (the parent element whose children it walks) and a
// current element on that level. FindElem searches only forward among the
// siblings after the current element; a name that is not found leaves the
// cursor where it was, so readers must look for elements in document order.
class XmlMarkup final {
 public:
  XmlMarkup();

  // Loads a file (UTF-8, or UTF-16 with byte-order mark). On failure the
  // document is empty and Error()/ErrorOffset() describe what went wrong.
  bool Load(const std::filesystem::path& path);
  bool LoadFromBuffer(std::string_view bytes);
  // Empty document; the next AddElem creates the root.
  void New();

  const std::string& Error() const { return error_; }
  // Byte offset of a parse error in the file, or 0.
  std::ptrdiff_t ErrorOffset() const { return error_offset_; }

  // Back to the document level, before the root element.
  void ResetPos();
  // Finds the next sibling element named name after the current one.
  bool FindElem(std::string_view name);
  // Next sibling element of any name; used to walk and validate a level.
  bool FindAnyElem();
  // Makes the current element the level whose children are walked.
  bool IntoElem();
  // Back to the level above; the element stepped out of becomes current.
  bool OutOfElem();

  std::string TagName() const;
  // Attribute of the current element as text; empty when absent.
  std::string GetAttrib(std::string_view name) const;
  bool HasAttrib(std::string_view name) const;
  // Names of the current element's attributes in document order.
  std::vector<std::string> AttribNames() const;

  // Adds an element after the current one on this level (at the end when no
  // element is current) and makes it current.
  bool AddElem(std::string_view name);
  // Adds an element as the last child of the current element and steps into
  // it: the current element becomes the level, the new child current.
  bool AddChildElem(std::string_view name);
  // Sets an attribute of the current element; new attributes are appended,
  // so they are written in the order they were set.
  bool SetAttrib(std::string_view name, std::string_view value);
  bool SetAttrib(std::string_view name, long long value);

  // Writes the document as UTF-8 after the declaration line
  // <?xml version="1.0" encoding="UTF-8"?> and CR LF.
  bool Save(const std::filesystem::path& path) const;
  std::string ToString() const;

 private:
  pugi::xml_document doc_;
  pugi::xml_node level_;
  pugi::xml_node current_;
  std::string error_;
  std::ptrdiff_t error_offset_ = 0;

  bool TakeResult(const pugi::xml_parse_result& result);
};

}  // namespace korvane
