#pragma once

#include <cstddef>

namespace korvane::qt {

// Whether index names one of size items.
inline bool InRange(int index, std::size_t size) { return index >= 0 && index < static_cast<int>(size); }

}  // namespace korvane::qt
