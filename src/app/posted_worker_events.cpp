#include "app/posted_worker_events.hpp"

namespace korvane {

PostedWorkerEvents::PostedWorkerEvents(ui::Toolkit& toolkit, WorkerEvents& target)
    : toolkit_(toolkit), target_(target) {}

PostedWorkerEvents::~PostedWorkerEvents() { *alive_ = false; }

template <typename Call>
void PostedWorkerEvents::Post(Call call) {
  toolkit_.Post([alive = alive_, &target = target_, call] {
    if (*alive) call(target);
  });
}

void PostedWorkerEvents::StatusChanged(int text_id) {
  Post([text_id](WorkerEvents& t) { t.StatusChanged(text_id); });
}
void PostedWorkerEvents::DeviceListChanged() {
  Post([](WorkerEvents& t) { t.DeviceListChanged(); });
}
void PostedWorkerEvents::DeviceViewChanged(bool list, bool pages) {
  Post([list, pages](WorkerEvents& t) { t.DeviceViewChanged(list, pages); });
}
void PostedWorkerEvents::BatteryChanged(int a, int b) {
  Post([a, b](WorkerEvents& t) { t.BatteryChanged(a, b); });
}
void PostedWorkerEvents::RefreshPages(unsigned pages) {
  Post([pages](WorkerEvents& t) { t.RefreshPages(pages); });
}
void PostedWorkerEvents::CloseTransientWindows() {
  Post([](WorkerEvents& t) { t.CloseTransientWindows(); });
}
void PostedWorkerEvents::LinkChanged(int type, bool linked) {
  Post([type, linked](WorkerEvents& t) { t.LinkChanged(type, linked); });
}
void PostedWorkerEvents::DpiButtonPressed(int count, int index) {
  Post([count, index](WorkerEvents& t) { t.DpiButtonPressed(count, index); });
}
void PostedWorkerEvents::TaskFinished(TaskCode code, bool succeeded) {
  Post([code, succeeded](WorkerEvents& t) { t.TaskFinished(code, succeeded); });
}

}  // namespace korvane
