#include "ui/palette_dlg.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "common/colour.hpp"
#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {

namespace pal = ctl::palette;
constexpr WindowId kWindow = WindowId::kPalette;

constexpr std::array<Rgb, 8> kPresets{{
    {255, 0, 0},
    {0, 0, 255},
    {0, 255, 0},
    {255, 255, 0},
    {255, 0, 255},
    {0, 255, 255},
    {255, 0, 255},
    {255, 255, 255},
}};

constexpr ControlRef Field(int id) { return {kWindow, id}; }
constexpr ColourFields kFields{Field(pal::kRed), Field(pal::kGreen), Field(pal::kBlue)};

}  // namespace

int PalettePreset(int index) { return PackColour(kPresets.at(static_cast<std::size_t>(index))); }

PaletteDlg::PaletteDlg(Toolkit& toolkit, TextLookup text) : toolkit_(toolkit), text_(std::move(text)) {
  toolkit_.SetHandler(kWindow, this);
}

PaletteDlg::~PaletteDlg() { toolkit_.SetHandler(kWindow, nullptr); }

int PaletteDlg::Run(int colour) {
  colour_ = colour & 0xFFFFFF;
  toolkit_.SetText(Field(pal::kRedLabel), "R:");
  toolkit_.SetText(Field(pal::kGreenLabel), "G:");
  toolkit_.SetText(Field(pal::kBlueLabel), "B:");
  toolkit_.SetText(Field(pal::kConfirm), text_(text_id::kPaletteConfirm));
  for (int i = pal::kPresetFirst; i <= pal::kPresetLast; ++i) {
    toolkit_.SetColour(Field(i), PalettePreset(i - pal::kPresetFirst));
  }
  ShowColourFields(toolkit_, kFields, colour_);
  ShowColour(true, true);
  return toolkit_.RunModal(kWindow);
}

bool PaletteDlg::OnControlEvent(int control, int event, std::int64_t param) {
  if (control == pal::kClose && event == event::kClick) {
    toolkit_.EndModal(kWindow, 0);
  } else if (control == pal::kConfirm && event == event::kClick) {
    toolkit_.EndModal(kWindow, colour_);
  } else if (control == pal::kPalette && (event == event::kPaletteMoving || event == event::kClick)) {
    colour_ = static_cast<int>(param) & 0xFFFFFF;
    ShowColourFields(toolkit_, kFields, colour_);
    ShowColour(false, true);
  } else if (control >= pal::kPresetFirst && control <= pal::kPresetLast && event == event::kClick) {
    colour_ = PalettePreset(control - pal::kPresetFirst);
    ShowColourFields(toolkit_, kFields, colour_);
    ShowColour(true, true);
  } else if (control >= pal::kRed && control <= pal::kBlue && event == event::kTextChanged) {
    colour_ = ReadColourFields(toolkit_, kFields);
    ShowColour(true, true);
  } else {
    return false;
  }
  return true;
}

std::int64_t PaletteDlg::OnWindowMessage(int message, std::int64_t, std::int64_t) {
  if (message == msg::kClose) toolkit_.EndModal(kWindow, 0);
  return 0;
}

void PaletteDlg::ShowColour(bool palette, bool preview) {
  if (palette) toolkit_.SetColour(Field(pal::kPalette), colour_);
  if (preview) toolkit_.SetColour(Field(pal::kPreview), colour_);
}

void ShowColourFields(Toolkit& toolkit, const ColourFields& fields, int colour) {
  const Rgb rgb = UnpackColour(colour);
  toolkit.SetText(fields.red, std::to_string(rgb.r));
  toolkit.SetText(fields.green, std::to_string(rgb.g));
  toolkit.SetText(fields.blue, std::to_string(rgb.b));
}

int ReadColourFields(Toolkit& toolkit, const ColourFields& fields) {
  auto component = [&toolkit](ControlRef field) {
    const int number = LeadingNumber(toolkit.GetText(field));
    const int value = std::clamp(number, 0, 255);
    if (value != number) toolkit.SetText(field, std::to_string(value));
    return value;
  };
  return PackColour({component(fields.red), component(fields.green), component(fields.blue)});
}

}  // namespace korvane::ui
