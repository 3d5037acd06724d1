#pragma once

#include <functional>

#include "performance/dpi_model.hpp"
#include "performance/pointer_settings.hpp"

namespace korvane {

class DeviceWorker;

// Registers the worker's handlers of the DPI, report-rate, sensor, power,
// lighting and pointer-settings tasks (8 to 14, 17, 18, 22) and of the
// mouse's DPI button report. The desktop application and korvanectl both
// call it once, before the worker starts. Each handler builds its command
// from the current profile in the database; the write-everything task (5)
// runs them in its own order. open_pointer_settings is what task 22 runs.
void RegisterPerformanceHandlers(DeviceWorker& worker, DpiCache& dpi_cache,
                                 std::function<void()> open_pointer_settings = OpenSystemMouseSettings);

}  // namespace korvane
