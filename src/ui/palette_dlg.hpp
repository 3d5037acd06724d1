#pragma once

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

// MousePaletteDlg: the colour picker. The palette, preview and R, G, B fields
// always show one colour; typed values are clamped to 0..255.
class PaletteDlg final : public WindowHandler {
 public:
  PaletteDlg(Toolkit& toolkit, TextLookup text);
  ~PaletteDlg() override;
  PaletteDlg(const PaletteDlg&) = delete;
  PaletteDlg& operator=(const PaletteDlg&) = delete;

  // Shows the dialog modally with colour and returns the confirmed colour,
  // or 0 when it was closed. Black confirmed also returns 0, which callers
  // read as cancelled.
  int Run(int colour);

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  int colour_ = 0;

  void ShowColour(bool palette, bool preview);
};

// The R, G and B fields of a colour editor (the colour picker's, the
// lighting page's).
struct ColourFields {
  ControlRef red;
  ControlRef green;
  ControlRef blue;
};
void ShowColourFields(Toolkit& toolkit, const ColourFields& fields, int colour);
// The colour the fields show. A field whose number lies outside 0..255 is
// held to it and rewritten; text that is no number counts as 0.
int ReadColourFields(Toolkit& toolkit, const ColourFields& fields);

// The preset colours of buttons 40..47, in order.
int PalettePreset(int index);

}  // namespace korvane::ui
