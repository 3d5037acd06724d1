#include "idle_cost.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace korvane::bench {

ProcessCost MeasureProcessCost() {
  ProcessCost cost;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    // schedstat: time on CPU (ns), time waiting (ns), timeslices.
    std::ifstream schedstat(task.path() / "schedstat");
    double on_cpu_ns = 0;
    if (schedstat >> on_cpu_ns) cost.cpu_seconds += on_cpu_ns / 1e9;
    std::ifstream status(task.path() / "status");
    std::string line;
    while (std::getline(status, line)) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
        std::istringstream in(line.substr(line.find(':') + 1));
        long value = 0;
        in >> value;
        cost.context_switches += value;
      }
    }
  }
  return cost;
}

}  // namespace korvane::bench
