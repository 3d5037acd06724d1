#pragma once

#include <QColor>

namespace korvane::qt {

// The skin's colours for the widgets that paint themselves (level chips,
// rate segments, sliders), matching the style sheet's.
inline const QColor kSurfaceColour(0x1c, 0x20, 0x28);
inline const QColor kSurfaceHoverColour(0x22, 0x27, 0x31);
inline const QColor kBorderColour(0x2c, 0x32, 0x3e);
inline const QColor kAccentColour(0x35, 0xd0, 0xba);
// The keyboard focus ring, as the style sheet's focus outline.
inline const QColor kFocusColour(0x8a, 0xb4, 0xff);
inline const QColor kBrightTextColour(0xe6, 0xe8, 0xee);
inline const QColor kDimTextColour(0x8b, 0x93, 0xa1);
inline const QColor kDisabledColour(0x5d, 0x64, 0x70);

}  // namespace korvane::qt
