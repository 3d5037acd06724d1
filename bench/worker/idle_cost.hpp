#pragma once

namespace korvane::bench {

// CPU time and context switches of the whole process (every thread), read
// from /proc/self.
struct ProcessCost {
  double cpu_seconds = 0;
  long context_switches = 0;
};

ProcessCost MeasureProcessCost();

}  // namespace korvane::bench
