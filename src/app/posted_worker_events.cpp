#include "app/posted_worker_events.hpp"

namespace korvane {

void PostedWorkerEvents::StatusChanged(int text_id) {
  poster_.Post([text_id](WorkerEvents& t) { t.StatusChanged(text_id); });
}
void PostedWorkerEvents::DeviceListChanged() {
  poster_.Post([](WorkerEvents& t) { t.DeviceListChanged(); });
}
void PostedWorkerEvents::DeviceViewChanged(bool list, bool pages) {
  poster_.Post([list, pages](WorkerEvents& t) { t.DeviceViewChanged(list, pages); });
}
void PostedWorkerEvents::BatteryChanged(int a, int b) {
  poster_.Post([a, b](WorkerEvents& t) { t.BatteryChanged(a, b); });
}
void PostedWorkerEvents::RefreshPages(unsigned pages) {
  poster_.Post([pages](WorkerEvents& t) { t.RefreshPages(pages); });
}
void PostedWorkerEvents::CloseTransientWindows() {
  poster_.Post([](WorkerEvents& t) { t.CloseTransientWindows(); });
}
void PostedWorkerEvents::LinkChanged(int type, bool linked) {
  poster_.Post([type, linked](WorkerEvents& t) { t.LinkChanged(type, linked); });
}
void PostedWorkerEvents::DpiButtonPressed(int count, int index) {
  poster_.Post([count, index](WorkerEvents& t) { t.DpiButtonPressed(count, index); });
}
void PostedWorkerEvents::TaskFinished(TaskCode code, bool succeeded) {
  poster_.Post([code, succeeded](WorkerEvents& t) { t.TaskFinished(code, succeeded); });
}

}  // namespace korvane
