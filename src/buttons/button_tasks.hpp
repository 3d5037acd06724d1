#pragma once

namespace korvane {

class DeviceWorker;
class PendingMacro;

// Task 6 (and the first step of task 5): the pending macro, then the button
// table of the current profile, built from the database. A macro whose
// stream does not fit the mouse is never sent, and its button keeps its
// default entry. A macro the mouse does not acknowledge ends the task as a
// failed write: it stays pending, and the table waits with it.
bool WriteButtonTable(DeviceWorker& worker, PendingMacro& pending);

// Registers task 6 with the worker.
void RegisterButtonHandlers(DeviceWorker& worker, PendingMacro& pending);

}  // namespace korvane
