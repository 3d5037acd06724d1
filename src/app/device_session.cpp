#include "app/device_session.hpp"

#include "app/feature_handlers.hpp"
#include "catalog/catalog_file.hpp"
#include "catalog/current_model.hpp"

namespace korvane {

namespace {

DeviceCatalog ReadCatalog(const AppContext& context, LoadReport& report) {
  return ReadCatalogFile(CatalogFilePath(context.Resources()), context.SkinFolder(), report);
}

}  // namespace

DeviceSession::DeviceSession(AppContext& app, HidTransport& transport, ConnectionState& shared_state,
                             WorkerEvents& events)
    : context(app),
      catalog(ReadCatalog(app, catalog_report)),
      pumped(transport, wake),
      state(shared_state),
      worker(WorkerContext{manager, app.Settings(), app.Language().Lookup(), store, state, events, queue, wake, sleeper,
                           Sources(), model}) {
  RegisterInterfaces(catalog, manager);
  state.device_list.SetModels(catalog.models);
  RegisterFeatureHandlers(*this);
}

ModelSources DeviceSession::Sources() const {
  return ModelSources{catalog, context.Settings(), context.Resources(), context.DataFolder()};
}

}  // namespace korvane
