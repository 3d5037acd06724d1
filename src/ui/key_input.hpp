#pragma once

#include <string>

#include "ui/toolkit.hpp"

namespace korvane::ui {

// A key as the program records it: its virtual-key code and the name shown
// for it.
struct PressedKey {
  int key = 0;  // 0: the key has no virtual-key code
  std::string name;
};

// The key with this evdev code (from a key field or a key recording). Its
// name is the program's own name for the key when it has one, else the name
// the keyboard layout gives it, else its name on a US layout.
PressedKey KeyOfEvdev(const Toolkit& toolkit, int evdev_code);

}  // namespace korvane::ui
