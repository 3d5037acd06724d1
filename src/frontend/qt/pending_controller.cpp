#include "frontend/qt/pending_controller.hpp"

#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/tray.hpp"
#include "ui/window_messages.hpp"

namespace korvane::qt {

namespace {
constexpr int kTextExit = 12;
}

bool PendingController::OnControlEvent(int control, int event, std::int64_t) {
  if (event != ui::event::kClick) return false;
  if (control == ui::ctl::kClose) {
    Exit();
  } else if (control == ui::ctl::kMinimise) {
    toolkit_.ShowWindow(ui::WindowId::kMain, ui::WindowState::kMinimised);
  } else {
    return false;
  }
  return true;
}

std::int64_t PendingController::OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) {
  if (message == ui::msg::kClose) Exit();
  if (message == ui::msg::kTrayCallback) ui::HandleTrayClick(toolkit_, lparam, text_(kTextExit));
  if (message == ui::msg::kCommand && wparam == ui::command::kExit) Exit();
  return 0;
}

void PendingController::Exit() {
  toolkit_.RemoveTrayIcon();
  toolkit_.Quit(0);
}

}  // namespace korvane::qt
