#include "ui/about_dlg.hpp"

#include <cstdio>

#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/placement.hpp"
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
  return "v" + DottedVersion(hex);
}

std::string ReleaseVersionText(std::string_view label, int release) {
  return std::string(label) + ": " + ReleaseVersion(release);
}

void ShowAboutBox(Toolkit& toolkit, const TextLookup& text, const AboutInfo& about) {
  toolkit.SetWindowTitle(kWindow, about.caption);
  toolkit.SetTooltip({kWindow, ctl::about::kClose}, text(text_id::kClose));
  toolkit.SetText({kWindow, ctl::about::kDeviceVersion},
                  about.caption + (about.version.empty() ? std::string() : " v" + about.version));
  toolkit.SetText({kWindow, ctl::about::kFirmwareVersion},
                  about.release ? ReleaseVersionText(text(text_id::kFirmwareVersion), about.release) : std::string());
  toolkit.SetVisible({kWindow, ctl::about::kFirmwareVersion}, about.release != 0);
  toolkit.SetText({kWindow, ctl::about::kCopyright}, text(text_id::kCopyright));
  PlaceOnOwner(toolkit, kWindow, kWidth, kHeight);
  AboutLogic logic(toolkit);
  toolkit.SetHandler(kWindow, &logic);
  toolkit.RunModal(kWindow);
  toolkit.SetHandler(kWindow, nullptr);
}

}  // namespace korvane::ui
