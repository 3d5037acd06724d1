#pragma once

#include <string>

#include "ui/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::qt {

// The main window's handler until the main window controller takes its
// place (main.cpp installs it with Toolkit::SetHandler): it only lets the
// window be closed, minimised and found through the tray. Every other control
// event is reported as not handled.
class PendingController final : public ui::WindowHandler {
 public:
  PendingController(ui::Toolkit& toolkit, ui::TextLookup text) : toolkit_(toolkit), text_(std::move(text)) {}

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  ui::Toolkit& toolkit_;
  ui::TextLookup text_;

  void Exit();
};

}  // namespace korvane::qt
