#include "app/device_session.hpp"

namespace korvane {

DeviceSession::DeviceSession(AppContext& app, HidTransport& transport, ConnectionState& shared_state,
                             WorkerEvents& events)
    : context(app),
      pumped(transport, wake),
      state(shared_state),
      worker(WorkerContext{manager, app.Settings(), app.Language().Lookup(), store, state, events, queue, wake, sleeper,
                           Sources(), model}) {}

ModelSources DeviceSession::Sources() const {
  return ModelSources{catalog, context.Settings(), context.Resources(), context.DataFolder()};
}

}  // namespace korvane
