#include "ui/dpi_tip.hpp"

#include <string>
#include <utility>

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {
constexpr WindowId kWindow = WindowId::kDpiTip;
constexpr int kEdgeGap = 2;
constexpr auto kLifetime = std::chrono::milliseconds(2000);
}  // namespace

DpiTip::DpiTip(Toolkit& toolkit, TextLookup text)
    : toolkit_(toolkit), text_(std::move(text)), tip_(toolkit, kWindow, kLifetime) {
  toolkit_.SetHandler(kWindow, this);
  toolkit_.SetText({kWindow, ctl::dpi_tip::kValue}, "1600");
  toolkit_.SetText({kWindow, ctl::dpi_tip::kUnit}, "DPI");
  toolkit_.SetTooltip({kWindow, ctl::dpi_tip::kClose}, text_(text_id::kClose));
  toolkit_.SetRange({kWindow, ctl::dpi_tip::kBar}, 0, kBarMaximum);
  toolkit_.ShowWindow(kWindow, WindowState::kHidden);
}

DpiTip::~DpiTip() { toolkit_.SetHandler(kWindow, nullptr); }

void DpiTip::ShowDpiTip(int dpi) {
  toolkit_.SetText({kWindow, ctl::dpi_tip::kValue}, std::to_string(dpi));
  toolkit_.SetValue({kWindow, ctl::dpi_tip::kBar}, dpi);
  const Rect area = toolkit_.WorkArea();
  tip_.Show({area.left + area.width - kWidth - kEdgeGap, area.top + area.height - kHeight - kEdgeGap, kWidth, kHeight});
}

bool DpiTip::OnControlEvent(int control, int event, std::int64_t) {
  if (control != ctl::dpi_tip::kClose || event != event::kClick) return false;
  tip_.Hide();
  return true;
}

std::int64_t DpiTip::OnWindowMessage(int message, std::int64_t, std::int64_t) {
  if (message == msg::kClose) tip_.Hide();
  return 0;
}

}  // namespace korvane::ui
