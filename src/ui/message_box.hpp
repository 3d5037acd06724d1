#pragma once

#include <string_view>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

inline constexpr int kMessageOk = 0;        // one button: confirm
inline constexpr int kMessageOkCancel = 4;  // confirm and cancel
inline constexpr int kResultConfirm = 1;
inline constexpr int kResultCancel = 2;

// The result of a box of this kind that ended by its confirm button
// (confirmed) or by its cancel button or a close request (not confirmed).
// A box without a cancel button can only confirm.
int MessageBoxResult(int kind, bool confirmed);

// CUIMessageBox: shows title and message modally with the buttons of the
// kind (any kind other than 4 is treated as 0) and returns 1 or 2. While a
// box is open another is not shown and gives what a closed box gives (2 for
// a question). UI thread only.
int ShowMessageBox(Toolkit& toolkit, const TextLookup& text, std::string_view title, std::string_view message,
                   int kind);

// Whether a message box is open.
bool MessageBoxShowing();

}  // namespace korvane::ui
