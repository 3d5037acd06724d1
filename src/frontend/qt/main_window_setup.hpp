#pragma once

#include "app/app_context.hpp"
#include "ui/text_lookup.hpp"

class QApplication;

namespace korvane::qt {

class QtToolkit;

// Texts of the context's current language.
ui::TextLookup TextLookupOf(const AppContext& context);

// Applies the skin's style sheet and builds the main window: pages, tabs,
// captions in the current language, the title and the language list with
// the current language selected. The window stays hidden.
void SetUpMainWindow(QApplication& app, QtToolkit& toolkit, const AppContext& context);

}  // namespace korvane::qt
