#include "support/fake_toolkit.hpp"

#include <algorithm>

#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane::test {

using ui::ControlRef;
using ui::WindowId;

void FakeToolkit::AddControl(ControlRef control, std::string radio_group) {
  controls_[control].radio_group = std::move(radio_group);
}

void FakeToolkit::AddCheckBox(ControlRef control) { controls_[control].check_box = true; }

bool FakeToolkit::Exists(ControlRef control) const { return controls_.contains(control); }

const FakeToolkit::ControlState& FakeToolkit::State(ControlRef control) const {
  static const ControlState kAbsent;
  const auto found = controls_.find(control);
  return found == controls_.end() ? kAbsent : found->second;
}

bool FakeToolkit::Deliver(ControlRef control, int event, std::int64_t param) {
  if (!Exists(control)) return false;
  const auto handler = handlers_.find(control.window);
  if (handler == handlers_.end() || handler->second == nullptr) return false;
  return handler->second->OnControlEvent(control.id, event, param);
}

bool FakeToolkit::Click(ControlRef control) {
  if (!Exists(control)) return false;
  ControlState& state = Mutable(control);
  if (!state.radio_group.empty()) {
    SetChecked(control, true);
  } else if (state.check_box) {
    state.checked = !state.checked;
  }
  return Deliver(control, ui::event::kClick, state.checked ? 1 : 0);
}

bool FakeToolkit::Type(ControlRef control, std::string text) {
  if (!Exists(control)) return false;
  Mutable(control).text = std::move(text);
  return Deliver(control, ui::event::kTextChanged);
}

bool FakeToolkit::Choose(ControlRef control, int index) {
  if (!Exists(control)) return false;
  Mutable(control).selection = index;
  return Deliver(control, ui::event::kClick, index);
}

int FakeToolkit::Pump() {
  int ran = 0;
  for (;;) {
    std::function<void()> work;
    {
      std::lock_guard lock(posted_mutex_);
      if (posted_.empty()) return ran;
      work = std::move(posted_.front());
      posted_.pop_front();
    }
    work();
    ++ran;
  }
}

void FakeToolkit::Advance(std::chrono::milliseconds elapsed) {
  const std::chrono::milliseconds until = now_ + elapsed;
  for (;;) {
    // Timers without work are never armed and never fire.
    auto next = timers_.end();
    for (auto timer = timers_.begin(); timer != timers_.end(); ++timer) {
      if (timer->second.work && (next == timers_.end() || timer->second.due < next->second.due)) next = timer;
    }
    if (next == timers_.end() || next->second.due > until) break;
    now_ = next->second.due;
    std::function<void()> work = next->second.work;
    if (next->second.repeating) {
      next->second.due += next->second.interval;
    } else {
      timers_.erase(next);
    }
    work();
  }
  now_ = until;
}

int FakeToolkit::ActiveTimers() const {
  return static_cast<int>(std::count_if(timers_.begin(), timers_.end(),
                                        [](const auto& timer) { return static_cast<bool>(timer.second.work); }));
}

void FakeToolkit::ScriptModal(WindowId window, std::function<void()> user) {
  modal_scripts_[window].push_back(std::move(user));
}

void FakeToolkit::ChooseMenuItem(int index) {
  const ui::MenuItem item = last_menu_.at(static_cast<std::size_t>(index));
  last_menu_.clear();
  DeliverMessage(WindowId::kMain, item.message, item.wparam, item.lparam);
}

void FakeToolkit::SetHandler(WindowId window, ui::WindowHandler* handler) { handlers_[window] = handler; }

void FakeToolkit::Post(std::function<void()> work) {
  std::lock_guard lock(posted_mutex_);
  posted_.push_back(std::move(work));
}

void FakeToolkit::PostMessage(WindowId window, int message, std::int64_t wparam, std::int64_t lparam) {
  Post([=, this] { DeliverMessage(window, message, wparam, lparam); });
}

void FakeToolkit::DeliverMessage(WindowId window, int message, std::int64_t wparam, std::int64_t lparam) {
  delivered_.push_back({window, message, wparam, lparam});
  const auto handler = handlers_.find(window);
  if (handler != handlers_.end() && handler->second != nullptr) {
    handler->second->OnWindowMessage(message, wparam, lparam);
  }
}

ui::TimerId FakeToolkit::StartTimer(std::chrono::milliseconds interval, bool repeating, std::function<void()> work) {
  const ui::TimerId id = next_timer_++;
  timers_[id] = Timer{now_ + interval, interval, repeating, std::move(work)};
  return id;
}

void FakeToolkit::StopTimer(ui::TimerId timer) { timers_.erase(timer); }

void FakeToolkit::SetWindowTitle(WindowId window, std::string_view title) { windows_[window].title = title; }

void FakeToolkit::ShowWindow(WindowId window, ui::WindowState state) { windows_[window].state = state; }

ui::WindowState FakeToolkit::GetWindowState(WindowId window) const { return windows_[window].state; }

void FakeToolkit::RaiseWindow(WindowId window) {
  if (windows_[window].state == ui::WindowState::kMinimised) windows_[window].state = ui::WindowState::kNormal;
}

void FakeToolkit::MoveWindow(WindowId window, ui::Rect rect) { windows_[window].rect = rect; }

ui::Rect FakeToolkit::WindowRect(WindowId window) const { return windows_[window].rect; }

int FakeToolkit::RunModal(WindowId window) {
  modal_runs_.push_back(window);
  WindowRecord& record = windows_[window];
  record.modal_result.reset();
  record.state = ui::WindowState::kNormal;
  auto& scripts = modal_scripts_[window];
  if (!scripts.empty()) {
    const std::function<void()> user = std::move(scripts.front());
    scripts.pop_front();
    user();
  }
  if (!record.modal_result) DeliverMessage(window, ui::msg::kClose, 0, 0);
  record.state = ui::WindowState::kHidden;
  return record.modal_result.value_or(0);
}

void FakeToolkit::EndModal(WindowId window, int result) {
  if (!windows_[window].modal_result) windows_[window].modal_result = result;
}

void FakeToolkit::SetText(ControlRef control, std::string_view text) { Mutable(control).text = text; }

ui::Rect FakeToolkit::ControlRect(ControlRef control) const {
  return Exists(control) ? ui::Rect{100, 700, 120, 40} : ui::Rect{};
}

void FakeToolkit::SetChecked(ControlRef control, bool checked) {
  ControlState& state = Mutable(control);
  if (checked && !state.radio_group.empty()) {
    for (auto& [ref, other] : controls_) {
      if (ref.window == control.window && other.radio_group == state.radio_group) other.checked = false;
    }
  }
  state.checked = checked;
}

void FakeToolkit::ClearItems(ControlRef control) {
  ControlState& state = Mutable(control);
  state.items.clear();
  state.item_visible.clear();
  state.selection = -1;
}

void FakeToolkit::AddItem(ControlRef control, const ui::ListItem& item) {
  ControlState& state = Mutable(control);
  state.items.push_back(item);
  state.item_visible.push_back(true);
}

void FakeToolkit::SetItem(ControlRef control, int index, const ui::ListItem& item) {
  ControlState& state = Mutable(control);
  if (index >= 0 && index < static_cast<int>(state.items.size())) state.items[index] = item;
}

void FakeToolkit::SetItemVisible(ControlRef control, int index, bool visible) {
  ControlState& state = Mutable(control);
  if (index >= 0 && index < static_cast<int>(state.item_visible.size())) state.item_visible[index] = visible;
}

void FakeToolkit::SetSelection(ControlRef control, int index) {
  ControlState& state = Mutable(control);
  state.selection = index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
}

bool FakeToolkit::SelectData(ControlRef control, int data) {
  ControlState& state = Mutable(control);
  for (int i = 0; i < static_cast<int>(state.items.size()); ++i) {
    if (state.items[i].data != data) continue;
    state.selection = i;
    return true;
  }
  return false;
}

void FakeToolkit::SetRange(ControlRef control, int lowest, int highest) {
  ControlState& state = Mutable(control);
  state.lowest = lowest;
  state.highest = std::max(lowest, highest);
  state.value = std::clamp(state.value, state.lowest, state.highest);
}

void FakeToolkit::SetRangeCaptions(ControlRef control, std::string_view low, std::string_view high) {
  Mutable(control).low_caption = low;
  Mutable(control).high_caption = high;
}

void FakeToolkit::SetValue(ControlRef control, int value) {
  ControlState& state = Mutable(control);
  state.value = std::clamp(value, state.lowest, state.highest);
}

void FakeToolkit::SetRunning(ControlRef control, bool running) {
  ControlState& state = Mutable(control);
  state.running = running;
  if (running) state.value = state.lowest;
}

void FakeToolkit::SetBattery(ControlRef control, int value_a, int value_b) {
  Mutable(control).battery_a = value_a;
  Mutable(control).battery_b = value_b;
}

void FakeToolkit::SetDeviceOnline(ControlRef list, int device_type, int mode, bool online) {
  Mutable(list).device_online[{device_type, mode}] = online;
}

void FakeToolkit::SetAllDevicesOffline(ControlRef list) {
  for (auto& [key, online] : Mutable(list).device_online) online = false;
}

int FakeToolkit::OnlineDeviceCount(ControlRef list) const {
  // A device counts once however many of its modes are online.
  std::vector<int> types;
  for (const auto& [key, online] : State(list).device_online) {
    if (online && std::find(types.begin(), types.end(), key.first) == types.end()) types.push_back(key.first);
  }
  return static_cast<int>(types.size());
}

void FakeToolkit::SetDeviceVersion(ControlRef list, int device_type, std::string_view version) {
  Mutable(list).device_version[device_type] = version;
}

void FakeToolkit::SetDeviceBattery(ControlRef list, int device_type, int value_a, int value_b) {
  Mutable(list).device_battery[device_type] = {value_a, value_b};
}

std::optional<std::string> FakeToolkit::OpenFileDialog(std::string_view title, const std::vector<ui::FileFilter>&) {
  file_titles_.emplace_back(title);
  if (file_answers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(file_answers_.front());
  file_answers_.pop_front();
  return answer;
}

std::optional<std::string> FakeToolkit::SaveFileDialog(std::string_view title, std::string_view,
                                                       const std::vector<ui::FileFilter>& filters) {
  return OpenFileDialog(title, filters);
}

bool FakeToolkit::AddTrayIcon(std::string_view tooltip) {
  if (!tray_available_) return false;
  tray_ = true;
  tray_tooltip_ = tooltip;
  return true;
}

}  // namespace korvane::test
