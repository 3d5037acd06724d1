#include "ui/save_tip.hpp"

#include <utility>

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/placement.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {
constexpr WindowId kWindow = WindowId::kSaveTip;
constexpr auto kLifetime = std::chrono::milliseconds(2000);
}  // namespace

SaveTip::SaveTip(Toolkit& toolkit, TextLookup text)
    : toolkit_(toolkit), text_(std::move(text)), tip_(toolkit, kWindow, kLifetime) {
  toolkit_.SetHandler(kWindow, this);
}

SaveTip::~SaveTip() { toolkit_.SetHandler(kWindow, nullptr); }

void SaveTip::ShowSaveTip() {
  toolkit_.SetText({kWindow, ctl::save_tip::kText}, text_(text_id::kSaving));
  toolkit_.SetRange({kWindow, ctl::save_tip::kBar}, 0, 100);
  toolkit_.SetRunning({kWindow, ctl::save_tip::kBar}, true);
  const Rect area = OwnerArea(toolkit_);
  Rect rect = CentredIn(area, kWidth, kHeight);
  rect.top = area.top + area.height - kHeight - kBottomGap;
  tip_.Show(rect);
}

bool SaveTip::OnControlEvent(int, int, std::int64_t) { return false; }

std::int64_t SaveTip::OnWindowMessage(int message, std::int64_t, std::int64_t) {
  if (message == msg::kClose) tip_.Hide();
  return 0;
}

}  // namespace korvane::ui
