#pragma once

namespace korvane {

class DeviceSession;

// Registers the worker's handlers of every feature (each feature's tasks
// and reports) with the session's worker. The session calls it once, when
// it is made, so every program runs the same handlers.
void RegisterFeatureHandlers(DeviceSession& session);

}  // namespace korvane
