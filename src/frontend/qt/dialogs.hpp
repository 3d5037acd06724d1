#pragma once

#include "ui/toolkit.hpp"

namespace korvane::qt {

class QtToolkit;
class ControlBuilder;

// Builds the window of a dialog with its controls and registers it with the
// toolkit; a window without a builder is left unbuilt.
void BuildDialog(QtToolkit& toolkit, ui::WindowId window);

// One builder per dialog window.
void BuildMessageBox(QtToolkit& toolkit);
void BuildPaletteDialog(QtToolkit& toolkit);
void BuildDpiTip(QtToolkit& toolkit);
void BuildSaveTip(QtToolkit& toolkit);
void BuildProfileDialog(QtToolkit& toolkit);
void BuildAboutBox(QtToolkit& toolkit);
void BuildRecordEditDialog(QtToolkit& toolkit);
void BuildDownloadWindow(QtToolkit& toolkit);
void BuildUpgradeWindow(QtToolkit& toolkit);

}  // namespace korvane::qt
