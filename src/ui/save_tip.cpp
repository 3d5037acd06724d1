#include "ui/save_tip.hpp"

#include <utility>

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {
constexpr WindowId kWindow = WindowId::kSaveTip;
constexpr auto kLifetime = std::chrono::milliseconds(2000);
}  // namespace

Rect CentredIn(Rect area, int width, int height) {
  return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width, height};
}

SaveTip::SaveTip(Toolkit& toolkit, TextLookup text)
    : toolkit_(toolkit), text_(std::move(text)), tip_(toolkit, kWindow, kLifetime) {
  toolkit_.SetHandler(kWindow, this);
}

SaveTip::~SaveTip() { toolkit_.SetHandler(kWindow, nullptr); }

void SaveTip::ShowSaveTip() {
  toolkit_.SetText({kWindow, ctl::save_tip::kText}, text_(text_id::kSaving));
  toolkit_.SetRange({kWindow, ctl::save_tip::kBar}, 0, 100);
  toolkit_.SetRunning({kWindow, ctl::save_tip::kBar}, true);
  tip_.Show(CentredIn(toolkit_.WorkArea(), kWidth, kHeight));
}

bool SaveTip::OnControlEvent(int, int, std::int64_t) { return false; }

std::int64_t SaveTip::OnWindowMessage(int message, std::int64_t, std::int64_t) {
  if (message == msg::kClose) tip_.Hide();
  return 0;
}

}  // namespace korvane::ui
