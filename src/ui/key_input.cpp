#include "ui/key_input.hpp"

#include "keys/evdev_keys.hpp"
#include "keys/key_names.hpp"
#include "keys/key_usage.hpp"

namespace korvane::ui {

PressedKey KeyOfEvdev(const Toolkit& toolkit, int evdev_code) {
  PressedKey pressed;
  pressed.key = EvdevToVirtualKey(evdev_code);
  if (pressed.key == 0) return pressed;
  pressed.name = SpecialKeyName(pressed.key);
  if (pressed.name.empty()) pressed.name = toolkit.KeyName(evdev_code);
  if (pressed.name.empty()) pressed.name = UsKeyName(pressed.key);
  return pressed;
}

}  // namespace korvane::ui
