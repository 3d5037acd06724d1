#include "xml/xml_markup.hpp"

#include <fstream>
#include <sstream>

namespace korvane {

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration;

}  // namespace

XmlMarkup::XmlMarkup() { New(); }

void XmlMarkup::New() {
  doc_.reset();
  error_.clear();
  error_offset_ = 0;
  ResetPos();
}

bool XmlMarkup::TakeResult(const pugi::xml_parse_result& result) {
  if (result) {
    error_.clear();
    error_offset_ = 0;
    ResetPos();
    return true;
  }
  error_ = result.description();
  error_offset_ = result.offset;
  doc_.reset();
  ResetPos();
  return false;
}

bool XmlMarkup::Load(const std::filesystem::path& path) {
  return TakeResult(doc_.load_file(path.c_str(), kParseOptions, pugi::encoding_auto));
}

bool XmlMarkup::LoadFromBuffer(std::string_view bytes) {
  return TakeResult(doc_.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto));
}

void XmlMarkup::ResetPos() {
  level_ = doc_;
  current_ = pugi::xml_node();
}

bool XmlMarkup::FindElem(std::string_view name) {
  pugi::xml_node node = current_ ? current_.next_sibling() : level_.first_child();
  for (; node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element && name == node.name()) {
      current_ = node;
      return true;
    }
  }
  return false;
}

bool XmlMarkup::FindAnyElem() {
  pugi::xml_node node = current_ ? current_.next_sibling() : level_.first_child();
  for (; node; node = node.next_sibling()) {
    if (node.type() == pugi::node_element) {
      current_ = node;
      return true;
    }
  }
  return false;
}

bool XmlMarkup::IntoElem() {
  if (!current_) return false;
  level_ = current_;
  current_ = pugi::xml_node();
  return true;
}

bool XmlMarkup::OutOfElem() {
  if (level_ == doc_) return false;
  current_ = level_;
  level_ = level_.parent();
  return true;
}

std::string XmlMarkup::TagName() const { return current_ ? current_.name() : std::string(); }

std::string XmlMarkup::GetAttrib(std::string_view name) const {
  if (!current_) return {};
  return current_.attribute(std::string(name).c_str()).value();
}

bool XmlMarkup::HasAttrib(std::string_view name) const {
  return current_ && current_.attribute(std::string(name).c_str());
}

std::vector<std::string> XmlMarkup::AttribNames() const {
  std::vector<std::string> names;
  if (current_) {
    for (pugi::xml_attribute a : current_.attributes()) names.emplace_back(a.name());
  }
  return names;
}

bool XmlMarkup::AddElem(std::string_view name) {
  const std::string tag(name);
  pugi::xml_node node = current_ ? level_.insert_child_after(tag.c_str(), current_) : level_.append_child(tag.c_str());
  if (!node) return false;
  current_ = node;
  return true;
}

bool XmlMarkup::AddChildElem(std::string_view name) {
  if (!current_) return false;
  pugi::xml_node node = current_.append_child(std::string(name).c_str());
  if (!node) return false;
  level_ = current_;
  current_ = node;
  return true;
}

bool XmlMarkup::SetAttrib(std::string_view name, std::string_view value) {
  if (!current_) return false;
  const std::string key(name);
  pugi::xml_attribute attr = current_.attribute(key.c_str());
  if (!attr) attr = current_.append_attribute(key.c_str());
  return attr.set_value(std::string(value).c_str());
}

bool XmlMarkup::SetAttrib(std::string_view name, long long value) { return SetAttrib(name, std::to_string(value)); }

std::string XmlMarkup::ToString() const {
  std::ostringstream out;
  out << kDeclaration;
  doc_.save(out, "\t", pugi::format_default | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

bool XmlMarkup::Save(const std::filesystem::path& path) const {
  // Written beside the target and renamed over it, so a failed write never
  // leaves a half-written file where the old one was.
  std::filesystem::path temp = path;
  temp += ".part";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << ToString();
    if (!file.flush()) {
      file.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) std::filesystem::remove(temp, ec);
  return !ec;
}

}  // namespace korvane
