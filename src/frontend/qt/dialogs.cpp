#include "frontend/qt/dialogs.hpp"

namespace korvane::qt {

void BuildDialog(QtToolkit& toolkit, ui::WindowId window) {
  switch (window) {
    case ui::WindowId::kMessageBox:
      return BuildMessageBox(toolkit);
    case ui::WindowId::kPalette:
      return BuildPaletteDialog(toolkit);
    case ui::WindowId::kDpiTip:
      return BuildDpiTip(toolkit);
    case ui::WindowId::kSaveTip:
      return BuildSaveTip(toolkit);
    case ui::WindowId::kProfile:
      return BuildProfileDialog(toolkit);
    case ui::WindowId::kAbout:
      return BuildAboutBox(toolkit);
    case ui::WindowId::kRecordEdit:
      return BuildRecordEditDialog(toolkit);
    case ui::WindowId::kDownloadProgress:
      return BuildDownloadWindow(toolkit);
    case ui::WindowId::kUpgradeProgress:
      return BuildUpgradeWindow(toolkit);
    case ui::WindowId::kMain:
      return;
  }
}

}  // namespace korvane::qt
