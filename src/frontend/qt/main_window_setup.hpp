#pragma once

#include "app/app_context.hpp"
#include "common/text_lookup.hpp"

class QApplication;

namespace korvane::qt {

class QtToolkit;

// Texts of the context's current language.
TextLookup TextLookupOf(const AppContext& context);

// Applies the skin's style sheet and builds what the main window shows
// first: frame, tabs and home page with their captions in the current
// language, and the title. The window stays hidden.
void SetUpFirstView(QApplication& app, QtToolkit& toolkit, const AppContext& context);

// Builds the other pages, captions them and fills the language list with
// the current language selected.
void CompleteMainWindow(QtToolkit& toolkit, const AppContext& context);

// Both, one after the other.
void SetUpMainWindow(QApplication& app, QtToolkit& toolkit, const AppContext& context);

}  // namespace korvane::qt
