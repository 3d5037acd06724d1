#include "app/buttons_page.hpp"

#include <array>

#include "buttons/button_functions.hpp"
#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "keys/evdev_keys.hpp"
#include "macros/macro_names.hpp"
#include "store/macro_table.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/key_input.hpp"
#include "ui/message_box.hpp"
#include "worker/connection_state.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

namespace {

struct Chooser {
  int control;
  int type;
  int neutral_item;  // the item shown while the group is not the button's
};

// The function groups in page order with the item each shows while it is
// not the current button's group.
constexpr std::array<Chooser, 6> kChoosers{{
    {ui::ctl::kFunctionChooser1, kFunctionMouse, 0},
    {ui::ctl::kFunctionChooser2, kFunctionMultimedia, 3},
    {ui::ctl::kFunctionChooser3, kFunctionMacro, 0},
    {ui::ctl::kFunctionChooser4, kFunctionDpi, 0},
    {ui::ctl::kFunctionChooser5, kFunctionSpecial, 0},
    {ui::ctl::kFunctionChooser6, kFunctionSystem, 2},
}};

// The buttons that stand for the types without a chooser.
constexpr std::array<std::pair<int, int>, 3> kTypeButtons{{
    {ui::ctl::kOpenKeyCapture, kFunctionKeyboard},
    {ui::ctl::kOpenRepeatPanel, kFunctionRepeat},
    {ui::ctl::kAssignDisabled, kFunctionDisabled},
}};

constexpr std::array<int, 4> kModifierToggles{ui::ctl::kModifierCtrl, ui::ctl::kModifierWin, ui::ctl::kModifierAlt,
                                              ui::ctl::kModifierShift};

}  // namespace

ButtonsPage::ButtonsPage(PageContext context) : ctx_(std::move(context)) {
  Route();
  ctx_.hooks.OnRefresh([this](unsigned pages) {
    if (pages & (kKeyPage | kMacroPage)) Load();
  });
  ctx_.hooks.OnLanguageChanged([this] {
    FillChoosers();
    Load();
  });
  ctx_.hooks.OnMacrosChanged([this] {
    const int current = current_;
    Load();
    SelectButton(current);
  });
  FillChoosers();
}

ButtonTarget ButtonsPage::Target() const { return {ctx_.store, ctx_.state, ctx_.queue, ctx_.pending_macro}; }

// A button's description of a macro, in the current language.
std::string ButtonsPage::MacroName(const std::string& stored) const { return DescribedMacroName(stored, ctx_.text); }

void ButtonsPage::Route() {
  using namespace ui::ctl;
  auto on_click = [](auto operation) {
    return [operation](int event, std::int64_t param) {
      if (event == ui::event::kClick) operation(param);
      return true;
    };
  };
  for (const int list : {kButtonList, kMousePicture}) {
    ctx_.main.RouteTo(list, on_click([this, list](std::int64_t index) {
                        const auto items = ctx_.toolkit.Items(list);
                        if (index >= 0 && index < static_cast<std::int64_t>(items.size())) {
                          SelectButton(items[static_cast<std::size_t>(index)].data);
                        }
                      }));
  }
  for (const Chooser& chooser : kChoosers) {
    ctx_.main.RouteTo(chooser.control, on_click([this, chooser](std::int64_t index) {
                        AssignFromChooser(chooser.control, chooser.type, static_cast<int>(index));
                      }));
  }
  ctx_.main.RouteTo(kOpenKeyCapture, on_click([this](std::int64_t) { OpenKeyCapture(); }));
  ctx_.main.RouteTo(kOpenRepeatPanel, on_click([this](std::int64_t) { OpenRepeatPanel(); }));
  ctx_.main.RouteTo(kAssignDisabled, on_click([this](std::int64_t) { Disable(); }));
  ctx_.main.RouteTo(kKeyField, [this](int event, std::int64_t param) {
    OnKeyField(event, param);
    return true;
  });
  ctx_.main.RouteTo(kKeyConfirm, on_click([this](std::int64_t) { ConfirmKey(); }));
  for (const int field : {kRepeatField1, kRepeatField2}) {
    ctx_.main.RouteTo(field, on_click([this, field](std::int64_t) { ClampRepeatField(field); }));
  }
  ctx_.main.RouteTo(kRepeatConfirm, on_click([this](std::int64_t) { ConfirmRepeat(); }));
  for (const int close : {kKeyPanelClose, kRepeatPanelClose}) {
    ctx_.main.RouteTo(close, on_click([this](std::int64_t) { ShowFunction(); }));
  }
  ctx_.main.RouteTo(kResetButton, on_click([this](std::int64_t) { ResetCurrent(); }));
  ctx_.main.RouteTo(kRestoreButtons, on_click([this](std::int64_t) { ResetAll(); }));
}

void ButtonsPage::FillChoosers() {
  for (const Chooser& chooser : kChoosers) {
    if (chooser.type == kFunctionMacro) continue;
    ctx_.toolkit.ClearItems(chooser.control);
    for (const FunctionItem& item : OfferedFunctions(chooser.type)) {
      ctx_.toolkit.AddItem(chooser.control, ui::TextItem(FunctionItemText(item, ctx_.text), item.value));
    }
  }
}

void ButtonsPage::FillMacroChooser() {
  std::vector<MacroHeader> macros;
  LoadMacroRows(ctx_.store, macros);
  ctx_.toolkit.ClearItems(ui::ctl::kFunctionChooser3);
  for (const MacroHeader& macro : macros) {
    ctx_.toolkit.AddItem(ui::ctl::kFunctionChooser3,
                         ui::TextItem(DisplayedMacroName(macro.name, ctx_.text), macro.macro_id));
  }
  ctx_.toolkit.SetEnabled(ui::ctl::kFunctionChooser3, !macros.empty());
}

void ButtonsPage::Load() {
  const DeviceModel model = ctx_.model.Get();
  views_ = LoadButtonViews(ctx_.store, ctx_.state.current_profile, model.default_keys, ctx_.text,
                           [this](const std::string& name) { return MacroName(name); });
  current_ = views_.empty() ? 0 : views_.front().key_code;
  FillMacroChooser();
  ShowButtons();
  ShowFunction();
}

void ButtonsPage::ShowButtons() {
  using ui::ctl::kButtonList;
  using ui::ctl::kMousePicture;
  const DeviceModel model = ctx_.model.Get();
  ctx_.toolkit.ClearItems(kButtonList);
  ctx_.toolkit.ClearItems(kMousePicture);
  ctx_.toolkit.SetImage(kMousePicture, model.picture);
  for (const ButtonView& view : views_) {
    ui::ListItem row = ui::TextItem(view.name, view.key_code);
    row.detail = view.description;
    ctx_.toolkit.AddItem(kButtonList, row);
  }
  // The spot sits on the mouse, at the end of the leader line away from the
  // label: the label is drawn on the left for direction 0, else on the right.
  for (const ModelButton& button : model.buttons) {
    ui::ListItem spot = ui::TextItem(ctx_.text(button.name_id), button.key_value);
    const bool label_left = button.direction == 0;
    const Point on_mouse = label_left ? button.leader_to : button.leader_from;
    const Point label = label_left ? button.leader_from : button.leader_to;
    spot.x = on_mouse.x;
    spot.y = on_mouse.y;
    spot.x2 = label.x;
    spot.y2 = label.y;
    ctx_.toolkit.AddItem(kMousePicture, spot);
  }
  ctx_.toolkit.SelectData(kButtonList, current_);
  ctx_.toolkit.SelectData(kMousePicture, current_);
}

void ButtonsPage::ShowDescription(int key_code, const std::string& description) {
  const auto items = ctx_.toolkit.Items(ui::ctl::kButtonList);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].data != key_code) continue;
    ui::ListItem row = items[i];
    row.detail = description;
    ctx_.toolkit.SetItem(ui::ctl::kButtonList, static_cast<int>(i), row);
  }
  for (ButtonView& view : views_) {
    if (view.key_code == key_code) view.description = description;
  }
}

void ButtonsPage::SelectButton(int key_code) {
  current_ = key_code;
  ctx_.toolkit.SelectData(ui::ctl::kButtonList, key_code);
  ctx_.toolkit.SelectData(ui::ctl::kMousePicture, key_code);
  ShowFunction();
}

void ButtonsPage::ShowPanels(bool key_panel, bool repeat_panel) {
  ctx_.toolkit.SetVisible(ui::ctl::kKeyPanel, key_panel);
  ctx_.toolkit.SetVisible(ui::ctl::kRepeatPanel, repeat_panel);
}

// Every group shows its neutral item, unmarked; then the group of the
// button's function (its stored row, else its default) is marked and shows
// the function's item.
void ButtonsPage::ShowFunction() {
  ShowPanels(false, false);
  for (const Chooser& chooser : kChoosers) {
    ctx_.toolkit.SetChecked(chooser.control, false);
    ctx_.toolkit.SetSelection(chooser.control, chooser.neutral_item);
  }
  for (const auto& [button, type] : kTypeButtons) ctx_.toolkit.SetChecked(button, false);
  const auto view =
      std::find_if(views_.begin(), views_.end(), [this](const ButtonView& v) { return v.key_code == current_; });
  if (view == views_.end()) return;
  const KeyAssignment& function = view->assignment;
  for (const Chooser& chooser : kChoosers) {
    if (chooser.type != function.macro_type) continue;
    ctx_.toolkit.SetChecked(chooser.control, true);
    ctx_.toolkit.SelectData(chooser.control, function.macro_value);
  }
  for (const auto& [button, type] : kTypeButtons) {
    if (type == function.macro_type) ctx_.toolkit.SetChecked(button, true);
  }
}

bool ButtonsPage::PrimaryButtonRefused() {
  if (current_ != kPrimaryButton) return false;
  ctx_.main.Message(text_id::kPrimaryButtonTitle, text_id::kPrimaryButtonLocked, ui::kMessageOk);
  ShowFunction();
  return true;
}

void ButtonsPage::AssignFromChooser(int chooser, int type, int index) {
  if (PrimaryButtonRefused()) return;
  const auto items = ctx_.toolkit.Items(chooser);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  const ui::ListItem& item = items[static_cast<std::size_t>(index)];
  Finish(AssignFunction(Target(), current_, type, item.data, item.text), item.text);
}

void ButtonsPage::Finish(AssignResult result, const std::string& description) {
  switch (result) {
    case AssignResult::kStored:
      views_ = LoadButtonViews(ctx_.store, ctx_.state.current_profile, ctx_.model.Get().default_keys, ctx_.text,
                               [this](const std::string& name) { return MacroName(name); });
      ShowDescription(current_, description);
      ShowFunction();
      ctx_.main.ShowSaveTip();
      return;
    case AssignResult::kNothingToStore:
      return;
    case AssignResult::kPrimaryButton:
      ctx_.main.Message(text_id::kPrimaryButtonTitle, text_id::kPrimaryButtonLocked, ui::kMessageOk);
      break;
    case AssignResult::kMacroTooLong:
      ctx_.main.Message(text_id::kPrimaryButtonTitle, text_id::kMacroTooLong, ui::kMessageOk);
      break;
    case AssignResult::kStoreFailed:
      ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
      break;
  }
  ShowFunction();
}

void ButtonsPage::OpenKeyCapture() {
  if (PrimaryButtonRefused()) return;
  captured_key_ = 0;
  captured_name_.clear();
  ctx_.toolkit.SetText(ui::ctl::kKeyField, "");
  for (const int toggle : kModifierToggles) ctx_.toolkit.SetChecked(toggle, false);
  ShowPanels(true, false);
}

void ButtonsPage::OpenRepeatPanel() {
  if (PrimaryButtonRefused()) return;
  ctx_.toolkit.SetText(ui::ctl::kRepeatField1, std::to_string(kRepeatFirstDefault));
  ctx_.toolkit.SetText(ui::ctl::kRepeatField2, std::to_string(kRepeatSecondDefault));
  ShowPanels(false, true);
}

// The key is the physical key; its name is the one the keyboard layout
// gives it, unless the program has a name of its own for it. The side
// modifiers are not captured: the toggles give the modifiers.
void ButtonsPage::OnKeyField(int event, std::int64_t param) {
  if (event == ui::event::kCaptureStarted) {
    captured_key_ = 0;
    captured_name_.clear();
    ctx_.toolkit.SetText(ui::ctl::kKeyField, "");
    return;
  }
  if (event != ui::event::kKeyPressed) return;
  ui::PressedKey pressed = ui::KeyOfEvdev(ctx_.toolkit, static_cast<int>(param));
  if (pressed.key == 0 || IgnoredDuringKeyCapture(pressed.key)) return;
  captured_key_ = pressed.key;
  captured_name_ = std::move(pressed.name);
  ctx_.toolkit.SetText(ui::ctl::kKeyField, captured_name_);
}

void ButtonsPage::ConfirmKey() {
  if (PrimaryButtonRefused()) return;
  ModifierToggles toggles;
  toggles.shift = ctx_.toolkit.IsChecked(ui::ctl::kModifierShift);
  toggles.ctrl = ctx_.toolkit.IsChecked(ui::ctl::kModifierCtrl);
  toggles.win = ctx_.toolkit.IsChecked(ui::ctl::kModifierWin);
  toggles.alt = ctx_.toolkit.IsChecked(ui::ctl::kModifierAlt);
  const KeyCombination combination = BuildCombination(captured_key_, captured_name_, toggles);
  Finish(AssignKeyCombination(Target(), current_, combination), combination.description);
}

void ButtonsPage::ClampRepeatField(int field) {
  const int typed = LeadingNumber(ctx_.toolkit.GetText(field));
  const int clamped = field == ui::ctl::kRepeatField1 ? ClampRepeatFirst(typed) : ClampRepeatSecond(typed);
  ctx_.toolkit.SetText(field, std::to_string(clamped));
}

void ButtonsPage::ConfirmRepeat() {
  if (PrimaryButtonRefused()) return;
  ClampRepeatField(ui::ctl::kRepeatField1);
  ClampRepeatField(ui::ctl::kRepeatField2);
  const std::string caption = ctx_.text(text_id::kRepeatDescription);
  Finish(AssignRepeat(Target(), current_, LeadingNumber(ctx_.toolkit.GetText(ui::ctl::kRepeatField1)),
                      LeadingNumber(ctx_.toolkit.GetText(ui::ctl::kRepeatField2)), caption),
         caption);
}

void ButtonsPage::Disable() {
  if (PrimaryButtonRefused()) return;
  const std::string description = ctx_.text(text_id::kDisableButton);
  Finish(AssignDisabled(Target(), current_, description), description);
}

bool ButtonsPage::Confirmed() {
  return ctx_.main.Message(text_id::kRestoreButtonsTitle, text_id::kRestoreButtonsQuestion, ui::kMessageOkCancel) != 2;
}

void ButtonsPage::ResetCurrent() {
  if (!Confirmed()) return;
  if (!ResetKey(Target(), current_)) {
    ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
  }
  const int current = current_;
  Load();
  SelectButton(current);
  ctx_.main.ShowSaveTip();
}

void ButtonsPage::ResetAll() {
  if (!Confirmed()) return;
  if (!ResetAllKeys(Target())) ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
  Load();
  ctx_.main.ShowSaveTip();
}

}  // namespace korvane
