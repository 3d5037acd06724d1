#pragma once

#include <QString>
#include <string_view>

namespace korvane::qt {

// UTF-8 text of the core as a QString.
inline QString ToQ(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvane::qt
