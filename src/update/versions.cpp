#include "update/versions.hpp"

#include <vector>

#include "common/text.hpp"

namespace korvane {

namespace {

std::vector<std::string_view> Parts(std::string_view version) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t dot = version.find('.', start);
    parts.push_back(version.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
    if (dot == std::string_view::npos) return parts;
    start = dot + 1;
  }
}

}  // namespace

int CompareVersions(std::string_view installed, std::string_view offered) {
  const std::vector<std::string_view> a = Parts(installed);
  const std::vector<std::string_view> b = Parts(offered);
  if (a.size() != b.size()) return 2;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const long long left = LeadingNumber(a[i]);
    const long long right = LeadingNumber(b[i]);
    if (left > right) return -1;
    if (right > left) return 1;
  }
  return 0;
}

bool IsNewerVersion(std::string_view installed, std::string_view offered) {
  return CompareVersions(installed, offered) >= 1;
}

}  // namespace korvane
