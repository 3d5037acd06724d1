#include <QFrame>
#include <QVBoxLayout>

#include "frontend/qt/control_builder.hpp"
#include "frontend/qt/pages.hpp"
#include "ui/control_ids.hpp"

namespace korvane::qt {

// The containers of the buttons and macro pages. The buttons page holds the
// function panel as well.
QWidget* BuildButtonsPage(ControlBuilder& build, QWidget* parent) {
  QFrame* page = build.Area(ui::ctl::kButtonsPage, parent, "page");
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(40, 28, 40, 32);
  QFrame* panel = build.Area(ui::ctl::kFunctionPanel, page, "panel");
  panel->hide();
  column->addWidget(panel);
  column->addStretch(1);
  return page;
}

QWidget* BuildMacroPage(ControlBuilder& build, QWidget* parent) {
  return build.Area(ui::ctl::kMacroPage, parent, "page");
}

}  // namespace korvane::qt
