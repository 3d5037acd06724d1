#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace korvane::bench {

// The sample at this fraction (0.5 median, 0.99 99th percentile) of the
// sorted samples; samples must not be empty.
inline double Percentile(std::vector<double> samples, double fraction) {
  std::sort(samples.begin(), samples.end());
  return samples[static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1))];
}

}  // namespace korvane::bench
