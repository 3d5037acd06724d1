#include <QFrame>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// The container of the macro page.
QWidget* BuildMacroPage(ControlBuilder& build, QWidget* parent) {
  return build.Area(ui::ctl::kMacroPage, parent, "page");
}

}  // namespace korvane::qt
