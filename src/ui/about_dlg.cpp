#include "ui/about_dlg.hpp"

#include <cstdio>

#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/save_tip.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {

constexpr WindowId kWindow = WindowId::kAbout;
constexpr int kWidth = 500;
constexpr int kHeight = 300;

class AboutLogic final : public WindowHandler {
 public:
  explicit AboutLogic(Toolkit& toolkit) : toolkit_(toolkit) {}

  bool OnControlEvent(int control, int event, std::int64_t) override {
    if (control != ctl::about::kClose || event != event::kClick) return false;
    toolkit_.EndModal(kWindow, 0);
    return true;
  }

  std::int64_t OnWindowMessage(int message, std::int64_t, std::int64_t) override {
    if (message == msg::kClose) toolkit_.EndModal(kWindow, 0);
    return 0;
  }

 private:
  Toolkit& toolkit_;
};

}  // namespace

std::string ReleaseVersion(int release) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(release));
  const std::string digits(hex);
  const std::size_t last_two = digits.size() >= 2 ? digits.size() - 2 : 0;
  return "v" + digits.substr(0, 1) + "." + digits.substr(last_two);
}

std::string ReleaseVersionText(std::string_view label, int release) {
  return std::string(label) + ": " + ReleaseVersion(release);
}

void ShowAboutBox(Toolkit& toolkit, const TextLookup& text, int release) {
  const std::string version = ReleaseVersionText(text(text_id::kFirmwareVersion), release);
  toolkit.SetWindowTitle(kWindow, "About Window");
  toolkit.SetTooltip({kWindow, ctl::about::kClose}, text(text_id::kClose));
  toolkit.SetText({kWindow, ctl::about::kFirmwareVersion}, version);
  toolkit.SetText({kWindow, ctl::about::kDeviceVersion}, version);
  toolkit.SetText({kWindow, ctl::about::kCopyright}, text(text_id::kCopyright));
  toolkit.MoveWindow(kWindow, CentredIn(toolkit.WorkArea(), kWidth, kHeight));
  AboutLogic logic(toolkit);
  toolkit.SetHandler(kWindow, &logic);
  toolkit.RunModal(kWindow);
  toolkit.SetHandler(kWindow, nullptr);
}

}  // namespace korvane::ui
