#include "app/lighting_page.hpp"

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/text_ids.hpp"
#include "performance/lighting_model.hpp"
#include "store/config_store.hpp"
#include "store/light_table.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/message_box.hpp"
#include "ui/palette_dlg.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

namespace {

constexpr ui::ColourFields kFields{ui::ctl::kLightRed, ui::ctl::kLightGreen, ui::ctl::kLightBlue};

std::string BrightnessCaption(const std::string& label, int brightness) {
  return label + ": " + std::to_string(LightLevelPercent(brightness)) + "%";
}

// While the slider is dragged the caption uses a full-width colon.
std::string SpeedCaption(const std::string& label, int speed, bool dragging) {
  return label + (dragging ? "\xEF\xBC\x9A" : ": ") + std::to_string(speed);
}

bool LightPageShown(const PageContext& page) { return page.model.Get().light_page_shown; }

ui::LightEffect EffectOf(int mode) {
  switch (mode) {
    case 1:
      return ui::LightEffect::kFlow;
    case 2:
      return ui::LightEffect::kBreathing;
    case 3:
      return ui::LightEffect::kSteady;
    case 4:
      return ui::LightEffect::kNeon;
    case 5:
      return ui::LightEffect::kRainbowWave;
    default:
      return ui::LightEffect::kOff;
  }
}

// The lit mouse as the row's mode shows it: the mode's colours (all seven
// slots, colour 1 alone, or none for the spectrum modes), and brightness and
// speed where the mode has them (else full brightness, still).
ui::LightingPreview PreviewOf(const LightSetting& row) {
  ui::LightingPreview preview;
  preview.effect = EffectOf(row.mode);
  if (preview.effect == ui::LightEffect::kOff) return preview;
  if ((row.config_func & kLightSevenSlots) != 0) {
    preview.colours.assign(row.color_value.begin(), row.color_value.end());
  } else if ((row.config_func & kLightFreeColour) != 0) {
    preview.colours = {row.color_value[0]};
  }
  preview.brightness = (row.config_func & kLightBrightness) != 0 ? LightLevelPercent(row.brightness) : 100;
  preview.speed = (row.config_func & kLightSpeed) != 0 ? LightLevelPercent(row.speed) : 0;
  return preview;
}

}  // namespace

LightingPage::LightingPage(PageContext context) : ctx_(std::move(context)) {
  Route();
  ctx_.hooks.OnRefresh([this](unsigned pages) {
    ShowTab();
    if ((pages & kLightingPage) && LightPageShown(ctx_)) Load();
  });
  ctx_.hooks.OnLanguageChanged([this] {
    if (LightPageShown(ctx_)) Load();
  });
}

SettingsTarget LightingPage::Target() const { return {ctx_.store, ctx_.state, ctx_.queue}; }

int LightingPage::Profile() const { return ctx_.state.current_profile; }

void LightingPage::Route() {
  using namespace ui::ctl;
  auto on = [](auto operation) {
    return [operation](int event, std::int64_t param) {
      operation(event, param);
      return true;
    };
  };
  ctx_.main.RouteTo(kLightMode, on([this](int, std::int64_t index) { ChangeMode(static_cast<int>(index)); }));
  ctx_.main.RouteTo(kLightReset, on([this](int, std::int64_t) { ResetLighting(); }));
  ctx_.main.RouteTo(kBrightness,
                    on([this](int event, std::int64_t value) { SlideBrightness(event, static_cast<int>(value)); }));
  ctx_.main.RouteTo(kSpeed, on([this](int event, std::int64_t value) { SlideSpeed(event, static_cast<int>(value)); }));
  for (int control = kPresetColourFirst; control <= kPresetColourLast; ++control) {
    ctx_.main.RouteTo(control, on([this, control](int event, std::int64_t) {
                        if (event == ui::event::kClick) PickPreset(control);
                      }));
  }
  // A slot click selects the slot (the toolkit does that); its colour is
  // shown in the editor so that the next colour replaces it.
  for (int control = kColourSlotFirst; control <= kColourSlotLast; ++control) {
    ctx_.main.RouteTo(control,
                      on([this, control](int, std::int64_t) { ShowColourInEditor(ctx_.toolkit.Colour(control)); }));
  }
  ctx_.main.RouteTo(kLightPalette,
                    on([this](int event, std::int64_t colour) { PickPaletteColour(event, static_cast<int>(colour)); }));
  for (const int field : {kLightRed, kLightGreen, kLightBlue}) {
    ctx_.main.RouteTo(field, on([this, field](int event, std::int64_t) {
                        if (event == ui::event::kTextChanged) EditColourField(field);
                      }));
  }
}

// The lighting tab is offered only for models whose definition enables it.
void LightingPage::ShowTab() {
  ui::Toolkit& toolkit = ctx_.toolkit;
  const std::vector<ui::ListItem> tabs = toolkit.Items(ui::ctl::kTabStrip);
  for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
    if (tabs[i].data == ui::ctl::tab::kLighting) toolkit.SetItemVisible(ui::ctl::kTabStrip, i, LightPageShown(ctx_));
  }
  if (!LightPageShown(ctx_)) ctx_.main.LeaveTab(ui::ctl::tab::kLighting);
}

void LightingPage::Load() {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  ConfigStore& store = ctx_.store;
  const int profile = Profile();
  std::vector<LightSetting> rows;
  int active = 0;
  {
    const ConfigStore::Lock lock = store.Hold();
    EnsureDefaultLightRows(store, profile, ctx_.model.Get().light_modes);
    LoadLightRows(store, profile, rows);
    active = LoadActiveLightMode(store, profile);
  }
  toolkit.ClearItems(kLightMode);
  for (const LightSetting& row : rows) toolkit.AddItem(kLightMode, ui::TextItem(ctx_.text(row.reserved), row.mode));
  const std::span<const int> presets = LightPresetColours();
  for (int i = 0; i < static_cast<int>(presets.size()); ++i) toolkit.SetColour(kPresetColourFirst + i, presets[i]);
  ctx_.state.current_light_mode = active;
  if (!toolkit.SelectData(kLightMode, active)) toolkit.SetSelection(kLightMode, -1);
  ShowLightMode();
}

// Shows the controls the selected mode's features allow, filled from its row.
// The lit mouse goes dark while no mode is shown.
void LightingPage::ShowLightMode() {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  LightSetting row;
  if (!LoadSelectedMode(row)) {
    toolkit.SetLightingPreview(kLightMouse, {});
    return;
  }
  toolkit.SetLightingPreview(kLightMouse, PreviewOf(row));
  const TextLookup& text = ctx_.text;
  toolkit.SetVisible(kBrightnessSection, (row.config_func & kLightBrightness) != 0);
  toolkit.SetRange(kBrightness, 0, kMaxLightLevel);
  toolkit.SetValue(kBrightness, row.brightness);
  toolkit.SetText(kBrightnessValue, BrightnessCaption(text(text_id::kBrightness), row.brightness));
  toolkit.SetVisible(kSpeedSection, (row.config_func & kLightSpeed) != 0);
  toolkit.SetRange(kSpeed, 0, kMaxLightLevel);
  toolkit.SetValue(kSpeed, row.speed);
  toolkit.SetText(kSpeedValue, SpeedCaption(text(text_id::kSpeed), row.speed, false));
  toolkit.SetVisible(kSlotsSection, (row.config_func & kLightSevenSlots) != 0);
  for (int slot = 0; slot < kLightColours; ++slot) toolkit.SetColour(kColourSlotFirst + slot, row.color_value[slot]);
  toolkit.SetChecked(kColourSlotFirst, true);
  toolkit.SetVisible(kColourSection, (row.config_func & kLightFreeColour) != 0);
  ShowColourInEditor(row.color_value[0]);
}

// Makes the selected mode current and active; false when nothing is selected
// or the profile has no row for it.
bool LightingPage::LoadSelectedMode(LightSetting& row) {
  const std::vector<ui::ListItem> modes = ctx_.toolkit.Items(ui::ctl::kLightMode);
  const int index = ctx_.toolkit.Selection(ui::ctl::kLightMode);
  if (index < 0 || index >= static_cast<int>(modes.size())) return false;
  const int mode = modes[index].data;
  ctx_.state.current_light_mode = mode;
  ConfigStore& store = ctx_.store;
  const ConfigStore::Lock lock = store.Hold();
  if (!LoadLightRow(store, Profile(), mode, row)) return false;
  MarkActiveLight(store, Profile(), mode);
  return true;
}

void LightingPage::ChangeMode(int index) {
  const std::vector<ui::ListItem> modes = ctx_.toolkit.Items(ui::ctl::kLightMode);
  if (index < 0 || index >= static_cast<int>(modes.size())) return;
  if (!ChangeLightMode(Target(), modes[index].data)) return;
  ShowLightMode();
  ctx_.main.ShowSaveTip();
}

// The caption and the lit mouse follow the drag; the release stores.
void LightingPage::SlideBrightness(int event, int value) {
  ctx_.toolkit.SetText(ui::ctl::kBrightnessValue, BrightnessCaption(ctx_.text(text_id::kBrightness), value));
  ShowPreview([value](LightSetting& row) { row.brightness = value; });
  if (event == ui::event::kClick && SetLightBrightness(Target(), value)) ctx_.main.ShowSaveTip();
}

void LightingPage::SlideSpeed(int event, int value) {
  const bool released = event == ui::event::kClick;
  ctx_.toolkit.SetText(ui::ctl::kSpeedValue, SpeedCaption(ctx_.text(text_id::kSpeed), value, !released));
  ShowPreview([value](LightSetting& row) { row.speed = value; });
  if (released && SetLightSpeed(Target(), value)) ctx_.main.ShowSaveTip();
}

void LightingPage::ShowPreview(const std::function<void(LightSetting&)>& pending) {
  LightSetting row;
  {
    const ConfigStore::Lock lock = ctx_.store.Hold();
    if (!LoadLightRow(ctx_.store, Profile(), ctx_.state.current_light_mode, row)) return;
  }
  if (pending) pending(row);
  ctx_.toolkit.SetLightingPreview(ui::ctl::kLightMouse, PreviewOf(row));
}

void LightingPage::PickPreset(int control) {
  const std::span<const int> presets = LightPresetColours();
  const auto index = static_cast<std::size_t>(control - ui::ctl::kPresetColourFirst);
  if (index >= presets.size()) return;
  ShowColourInEditor(presets[index]);
  ApplyColour(presets[index]);
}

// Moving in the palette previews the colour; the release applies it.
void LightingPage::PickPaletteColour(int event, int colour) {
  ui::Toolkit& toolkit = ctx_.toolkit;
  for (int control = ui::ctl::kPresetColourFirst; control <= ui::ctl::kPresetColourLast; ++control) {
    toolkit.SetChecked(control, false);
  }
  ui::ShowColourFields(toolkit, kFields, colour);
  toolkit.SetColour(ui::ctl::kLightPreview, colour);
  if (event == ui::event::kClick) {
    ApplyColour(colour);
  } else {
    const int slot = SelectedSlot();
    ShowPreview([colour, slot](LightSetting& row) { PutLightColour(row, colour, slot); });
  }
}

void LightingPage::EditColourField(int) {
  const int colour = ui::ReadColourFields(ctx_.toolkit, kFields);
  ctx_.toolkit.SetColour(ui::ctl::kLightPalette, colour);
  ApplyColour(colour);
}

// The colour becomes colour 1 of the mode, or with seven slots the colour of
// the selected slot.
void LightingPage::ApplyColour(int colour) {
  ui::Toolkit& toolkit = ctx_.toolkit;
  toolkit.SetColour(ui::ctl::kLightPreview, colour);
  const int slot = SelectedSlot();
  if (!ApplyLightColour(Target(), colour, slot)) return;
  if (toolkit.IsVisible(ui::ctl::kSlotsSection)) toolkit.SetColour(ui::ctl::kColourSlotFirst + slot, colour);
  ShowPreview();
  ctx_.main.ShowSaveTip();
}

void LightingPage::ShowColourInEditor(int colour) {
  ui::Toolkit& toolkit = ctx_.toolkit;
  ui::ShowColourFields(toolkit, kFields, colour);
  toolkit.SetColour(ui::ctl::kLightPalette, colour);
  toolkit.SetColour(ui::ctl::kLightPreview, colour);
}

int LightingPage::SelectedSlot() const {
  for (int slot = 0; slot < kLightColours; ++slot) {
    if (ctx_.toolkit.IsChecked(ui::ctl::kColourSlotFirst + slot)) return slot;
  }
  return 0;
}

void LightingPage::ResetLighting() {
  if (ctx_.main.Message(text_id::kLightResetTitle, text_id::kLightResetQuestion, ui::kMessageOkCancel) ==
      ui::kResultCancel)
    return;
  ctx_.queue.Push(kTaskLightingRestore);
}

}  // namespace korvane
