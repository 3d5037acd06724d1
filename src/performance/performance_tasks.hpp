#pragma once

#include "performance/dpi_model.hpp"

namespace korvane {

class DeviceWorker;

// Registers the worker's handlers of the DPI, report-rate, sensor, power and
// lighting tasks (8 to 14, 17, 18) and of the mouse's DPI button report.
// Each handler builds its command from the current profile in the
// database; the write-everything task (5) runs them in its own order.
void RegisterPerformanceHandlers(DeviceWorker& worker, DpiCache& dpi_cache);

}  // namespace korvane
