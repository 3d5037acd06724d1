#pragma once

namespace korvane::qt {

// Dynamic properties through which the toolkit hands widgets what their Qt
// class has no place for; the widgets that can show them read them back.
inline constexpr char kTextProperty[] = "korvaneText";
inline constexpr char kLowCaptionProperty[] = "korvaneLowCaption";
inline constexpr char kHighCaptionProperty[] = "korvaneHighCaption";

}  // namespace korvane::qt
