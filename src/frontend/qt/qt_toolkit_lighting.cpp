// The lit mouse of the lighting page.
#include "frontend/qt/lit_mouse_widget.hpp"
#include "frontend/qt/qt_toolkit.hpp"

namespace korvane::qt {

void QtToolkit::SetLightingPreview(ui::ControlRef control, const ui::LightingPreview& preview) {
  if (auto* mouse = qobject_cast<LitMouseWidget*>(Find(control))) mouse->SetPreview(preview);
}

}  // namespace korvane::qt
