#include "app/feature_handlers.hpp"

#include "app/device_session.hpp"
#include "buttons/button_tasks.hpp"
#include "performance/performance_tasks.hpp"

namespace korvane {

void RegisterFeatureHandlers(DeviceSession& session) {
  RegisterPerformanceHandlers(session.worker, session.dpi_cache);
  RegisterButtonHandlers(session.worker, session.pending_macro);
}

}  // namespace korvane
