#pragma once

namespace korvane::qt {

// The DPI rule in Qt terms. "DPI aware" means drawing at the screen's own
// pixel size: Qt's high-DPI scaling is switched off (QT_ENABLE_HIGHDPI_SCALING=0),
// so the 1300 x 788 window takes 1300 x 788 device pixels. Otherwise Qt scales
// the window by the screen's device pixel ratio, as the desktop asks.
//
// The screen is known only once the application object exists, and the
// scaling mode is fixed when it is created. So, with the application object
// made: when the rule asks for no scaling but Qt scales (device pixel ratio
// above 1), the program starts itself again at once with scaling off; this
// happens before any window exists. With a ratio of 1 both choices are the
// same and nothing happens. A user's own QT_ENABLE_HIGHDPI_SCALING,
// QT_SCALE_FACTOR or QT_SCREEN_SCALE_FACTORS setting is left alone.
// Returns only when the program goes on in this process.
void ApplyDpiRule(char** argv);

}  // namespace korvane::qt
