#include "keys/mouse_buttons.hpp"

namespace korvane {

std::string_view MouseButtonName(int bits) {
  switch (bits) {
    case kLeftButtonBits:
      return "LB";
    case kRightButtonBits:
      return "RB";
    case kMiddleButtonBits:
      return "MB";
    case kBackButtonBits:
      return "Backward";
    case kForwardButtonBits:
      return "Forward";
    default:
      return "";
  }
}

}  // namespace korvane
