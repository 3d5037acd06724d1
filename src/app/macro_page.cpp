#include "app/macro_page.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "files/macro_files.hpp"
#include "macros/macro_names.hpp"
#include "store/macro_table.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/key_input.hpp"
#include "ui/message_box.hpp"
#include "ui/record_edit_dlg.hpp"
#include "ui/window_messages.hpp"
#include "worker/connection_state.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

namespace {

using namespace ui::ctl;

// Commands of the insert menu and of the event list's menu.
namespace command {
constexpr int kMoveTop = 100;
constexpr int kMoveUp = 101;
constexpr int kMoveDown = 102;
constexpr int kMoveBottom = 103;
constexpr int kClear = 104;
constexpr int kInsertKey = 101;
constexpr int kInsertDelay = 103;
constexpr int kInsertLeftClick = 105;
constexpr int kInsertMiddleClick = 106;
constexpr int kInsertRightClick = 107;
constexpr int kImportMacro = 101;
constexpr int kExportMacro = 102;
constexpr int kImportMacros = 105;
constexpr int kExportMacros = 106;
}  // namespace command

constexpr std::array<int, 3> kDelayChoices{kDelayNone, kDelayRecorded, kDelayFixed};
constexpr std::array<int, 3> kPlayChoices{kPlayWhileHeld, kPlayToggle, kPlayTimes};
constexpr int kFixedChoice = 2;  // the third choice of either group takes its field
constexpr int kNewFixedDelay = 10;
constexpr int kNewPlayTimes = 1;

constexpr const char* kRecordIcon = "icon/icon_rec.png";
constexpr const char* kStopIcon = "icon/icon_stop_rec.png";

// Controls that change the macro or its events; disabled while recording.
constexpr std::array kEditingControls{kMacroList,     kMacroCreate,   kMacroDelete,     kEventList,     kEventInsert,
                                      kEventDelete,   kEventClear,    kDelayNone,       kDelayRecorded, kDelayFixed,
                                      kDelayField,    kPlayWhileHeld, kPlayToggle,      kPlayTimes,     kPlayTimesField,
                                      kEventKeyField, kEventAction,   kEventDelayField, kEventUp,       kEventDown};

int CheckedChoice(const ui::Toolkit& toolkit, const std::array<int, 3>& radios) {
  for (std::size_t i = 0; i < radios.size(); ++i) {
    if (toolkit.IsChecked(radios[i])) return static_cast<int>(i);
  }
  return kFixedChoice;
}

}  // namespace

MacroPage::MacroPage(PageContext context) : ctx_(std::move(context)) {
  Route();
  RouteMenus();
  ctx_.hooks.OnRefresh([this](unsigned pages) {
    if (pages & korvane::kMacroPage) Load();
  });
  ctx_.hooks.OnLanguageChanged([this] {
    ShowTexts();
    const int index = ctx_.toolkit.Selection(kMacroList);
    ShowMacroList(index);
  });
  ctx_.hooks.OnCloseTransient([this] {
    if (Recording()) StopRecording();
  });
  ShowTexts();
}

void MacroPage::Route() {
  auto on_click = [](auto operation) {
    return [operation](int event, std::int64_t param) {
      if (event == ui::event::kClick) operation(param);
      return true;
    };
  };
  ctx_.main.RouteTo(kMacroList, [this](int event, std::int64_t param) {
    if (event == ui::event::kClick) SelectMacro(static_cast<int>(param));
    if (event == ui::event::kValueTyped) RenameMacro(static_cast<int>(param));
    if (event == ui::event::kContextMenu) OpenMacroMenu(static_cast<int>(param));
    return true;
  });
  ctx_.main.RouteTo(kMacroCreate, on_click([this](std::int64_t) { CreateMacro(); }));
  ctx_.main.RouteTo(kMacroDelete, on_click([this](std::int64_t) { DeleteMacro(); }));
  for (int i = 0; i < static_cast<int>(kDelayChoices.size()); ++i) {
    ctx_.main.RouteTo(kDelayChoices[static_cast<std::size_t>(i)],
                      on_click([this, i](std::int64_t) { ChooseDelay(i); }));
    ctx_.main.RouteTo(kPlayChoices[static_cast<std::size_t>(i)], on_click([this, i](std::int64_t) { ChoosePlay(i); }));
  }
  for (const int field : {kDelayField, kPlayTimesField}) {
    ctx_.main.RouteTo(field, on_click([this, field](std::int64_t) { ReadOptionField(field); }));
  }
  ctx_.main.RouteTo(kEventList, [this](int event, std::int64_t param) {
    if (event == ui::event::kClick) {
      SelectEvent(param >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(param)) : std::nullopt);
    }
    if (event == ui::event::kContextMenu) OpenEventMenu(static_cast<int>(param));
    return true;
  });
  ctx_.main.RouteTo(kEventInsert, on_click([this](std::int64_t) { OpenInsertMenu(); }));
  ctx_.main.RouteTo(kEventDelete, on_click([this](std::int64_t) { DeleteEvent(); }));
  ctx_.main.RouteTo(kEventClear, on_click([this](std::int64_t) { Move(command::kClear); }));
  ctx_.main.RouteTo(kEventUp, on_click([this](std::int64_t) { Move(command::kMoveUp); }));
  ctx_.main.RouteTo(kEventDown, on_click([this](std::int64_t) { Move(command::kMoveDown); }));
  ctx_.main.RouteTo(kRecord, [this](int event, std::int64_t param) {
    if (event == ui::event::kClick) ToggleRecording();
    if (event == ui::event::kKeyPressed || event == ui::event::kKeyReleased) RecordKey(event, param);
    return true;
  });
  ctx_.main.RouteTo(kEventKeyField, [this](int event, std::int64_t param) {
    OnEditorKeyField(event, param);
    return true;
  });
  ctx_.main.RouteTo(kEventDelayField, on_click([this](std::int64_t) { ApplyEditorDelay(); }));
  ctx_.main.RouteTo(kEventAction, on_click([this](std::int64_t index) { ApplyMouseAction(static_cast<int>(index)); }));
}

void MacroPage::RouteMenus() {
  ctx_.main.OnMessage(ui::msg::kInsertMenuCommand, [this](std::int64_t wparam, std::int64_t) {
    Insert(static_cast<int>(wparam));
    return 0;
  });
  ctx_.main.OnMessage(ui::msg::kEventListCommand, [this](std::int64_t wparam, std::int64_t) {
    Move(static_cast<int>(wparam));
    return 0;
  });
  ctx_.main.OnMessage(ui::msg::kMacroFileCommand, [this](std::int64_t wparam, std::int64_t) {
    MacroFileCommand(static_cast<int>(wparam));
    return 0;
  });
}

void MacroPage::ShowTexts() {
  ctx_.toolkit.SetText(kRecord, ctx_.text(Recording() ? text_id::kRecordStop : text_id::kRecordStart));
  ctx_.toolkit.SetImage(kRecord, Recording() ? kStopIcon : kRecordIcon);
  ctx_.toolkit.SetTooltip(kEventKeyField, ctx_.text(text_id::kKeyFieldHint));
  ctx_.toolkit.ClearItems(kEventAction);
  for (const MouseAction action : kMouseActions) {
    ctx_.toolkit.AddItem(kEventAction, ui::TextItem(std::string(MouseActionName(action)), static_cast<int>(action)));
  }
  ShowEvents();
}

// --- the macro list ------------------------------------------------------------

void MacroPage::Load() {
  if (Recording()) StopRecording();
  LoadMacroRows(ctx_.store, macros_);
  ShowMacroList(macros_.empty() ? -1 : 0);
}

void MacroPage::ShowMacroList(int select_index) {
  ctx_.toolkit.ClearItems(kMacroList);
  for (const MacroHeader& macro : macros_) {
    ctx_.toolkit.AddItem(kMacroList, ui::TextItem(DisplayedMacroName(macro.name, ctx_.text), macro.macro_id));
  }
  SelectMacro(select_index);
}

void MacroPage::SelectMacro(int index) {
  const bool valid = index >= 0 && index < static_cast<int>(macros_.size());
  ctx_.toolkit.SetSelection(kMacroList, valid ? index : -1);
  selected_ = valid ? macros_[static_cast<std::size_t>(index)].macro_id : 0;
  events_.clear();
  event_.reset();
  if (valid) {
    ShowOptions(macros_[static_cast<std::size_t>(index)]);
    LoadEventRows(ctx_.store, selected_, events_);
  }
  ShowEvents();
  EnableEditing(true);
}

bool MacroPage::MacroSelectedOrTell() {
  if (selected_ > 0) return true;
  ctx_.main.Message(text_id::kRecordStart, text_id::kSelectMacroFirst, ui::kMessageOk);
  return false;
}

void MacroPage::CreateMacro() {
  const int id = korvane::CreateMacro(ctx_.store, ctx_.text, static_cast<int>(macros_.size()));
  if (id <= 0) {
    ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
    return;
  }
  LoadMacroRows(ctx_.store, macros_);
  const auto made =
      std::find_if(macros_.begin(), macros_.end(), [id](const MacroHeader& m) { return m.macro_id == id; });
  ShowMacroList(static_cast<int>(made - macros_.begin()));
  ctx_.hooks.MacrosChanged();
}

// The buttons that play the macro keep it: they send their default until
// another function is assigned.
void MacroPage::DeleteMacro() {
  const int index = ctx_.toolkit.Selection(kMacroList);
  if (index < 0 || index >= static_cast<int>(macros_.size()) || selected_ <= 0) return;
  if (!DeleteMacroRow(ctx_.store, selected_)) {
    ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
    return;
  }
  macros_.erase(macros_.begin() + index);
  ShowMacroList(index - 1);
  ctx_.hooks.MacrosChanged();
}

// An empty name (or one of spaces) puts the stored name back.
void MacroPage::RenameMacro(int index) {
  const auto items = ctx_.toolkit.Items(kMacroList);
  if (index < 0 || index >= static_cast<int>(macros_.size()) || index >= static_cast<int>(items.size())) return;
  MacroHeader& macro = macros_[static_cast<std::size_t>(index)];
  const std::string typed = items[static_cast<std::size_t>(index)].text;
  const bool stored = !Trim(typed).empty() &&
                      korvane::RenameMacro(ctx_.store, macro.macro_id, typed, ctx_.state.current_profile.load());
  if (stored) {
    macro.name = typed;
    ctx_.hooks.MacrosChanged();
    return;
  }
  if (!Trim(typed).empty()) ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
  ctx_.toolkit.SetItem(kMacroList, index, ui::TextItem(DisplayedMacroName(macro.name, ctx_.text), macro.macro_id));
}

// --- macro files -------------------------------------------------------------------

void MacroPage::OpenMacroMenu(int index) {
  if (Recording()) return;
  if (index >= 0 && index != ctx_.toolkit.Selection(kMacroList)) SelectMacro(index);
  const auto item = [this](int text, int command) {
    return ui::MenuItem{ctx_.text(text), ui::msg::kMacroFileCommand, command, 0};
  };
  std::vector<ui::MenuItem> menu{item(text_id::kImport, command::kImportMacro)};
  if (selected_ > 0) {
    menu.push_back(item(text_id::kExport, command::kExportMacro));
    menu.push_back(item(text_id::kImportAllMacros, command::kImportMacros));
    menu.push_back(item(text_id::kExportAllMacros, command::kExportMacros));
  }
  ctx_.toolkit.ShowMenu(menu);
}

// Either import reads both layouts. A file that cannot be read imports
// nothing, silently; the imported macros join the lists, the selection
// stays.
void MacroPage::MacroFileCommand(int command) {
  if (Recording()) return;
  const std::vector<ui::FileFilter> filters{{"Macro", "*.xml"}};
  const int index = ctx_.toolkit.Selection(kMacroList);
  const bool has_macro = selected_ > 0 && index >= 0 && index < static_cast<int>(macros_.size());
  if (command == command::kImportMacro || command == command::kImportMacros) {
    const auto file = ctx_.toolkit.OpenFileDialog(
        ctx_.text(command == command::kImportMacro ? text_id::kImport : text_id::kImportAllMacros), filters);
    if (!file || ImportMacroFile(ctx_.store, *file, ctx_.state.current_type.load()).ids.empty()) return;
    LoadMacroRows(ctx_.store, macros_);
    ShowMacroList(index);
    ctx_.hooks.MacrosChanged();
  } else if (command == command::kExportMacro && has_macro) {
    const std::string shown = DisplayedMacroName(macros_[static_cast<std::size_t>(index)].name, ctx_.text);
    const auto file = ctx_.toolkit.SaveFileDialog(ctx_.text(text_id::kExport), shown + ".xml", filters);
    if (file) ExportMacroA(ctx_.store, selected_, shown, *file);
  } else if (command == command::kExportMacros && has_macro) {
    const auto file = ctx_.toolkit.SaveFileDialog(ctx_.text(text_id::kExportAllMacros), "macros.xml", filters);
    if (file) ExportMacrosB(ctx_.store, *file);
  }
}

// --- the option groups -----------------------------------------------------------

void MacroPage::ShowOptions(const MacroHeader& header) {
  const MacroOptionChoices choices = ChoicesOf(header);
  ctx_.toolkit.SetChecked(kDelayChoices[static_cast<std::size_t>(choices.delay_choice)], true);
  ctx_.toolkit.SetText(kDelayField, choices.delay_choice == kFixedChoice ? std::to_string(choices.delay_time) : "");
  ctx_.toolkit.SetChecked(kPlayChoices[static_cast<std::size_t>(choices.play_choice)], true);
  ctx_.toolkit.SetText(kPlayTimesField, choices.play_choice == kFixedChoice ? std::to_string(choices.play_times) : "");
}

void MacroPage::ChooseDelay(int choice) {
  ctx_.toolkit.SetText(kDelayField, choice == kFixedChoice ? std::to_string(kNewFixedDelay) : "");
  ctx_.toolkit.SetEnabled(kDelayField, choice == kFixedChoice);
  ChangeMacroOptions();
}

void MacroPage::ChoosePlay(int choice) {
  ctx_.toolkit.SetText(kPlayTimesField, choice == kFixedChoice ? std::to_string(kNewPlayTimes) : "");
  ctx_.toolkit.SetEnabled(kPlayTimesField, choice == kFixedChoice);
  ChangeMacroOptions();
}

void MacroPage::ReadOptionField(int field) {
  const std::string text = ctx_.toolkit.GetText(field);
  const int value =
      field == kDelayField ? ReadDelayField(text) : ReadPlayCountField(text, ctx_.state.current_type.load());
  ctx_.toolkit.SetText(field, std::to_string(value));
  ChangeMacroOptions();
}

MacroOptionChoices MacroPage::PageChoices() const {
  MacroOptionChoices choices;
  choices.delay_choice = CheckedChoice(ctx_.toolkit, kDelayChoices);
  choices.delay_time = ReadDelayField(ctx_.toolkit.GetText(kDelayField));
  choices.play_choice = CheckedChoice(ctx_.toolkit, kPlayChoices);
  choices.play_times = ReadPlayCountField(ctx_.toolkit.GetText(kPlayTimesField), ctx_.state.current_type.load());
  return choices;
}

void MacroPage::ChangeMacroOptions() {
  const auto macro =
      std::find_if(macros_.begin(), macros_.end(), [this](const MacroHeader& m) { return m.macro_id == selected_; });
  if (macro == macros_.end()) return;
  const MacroOptionChoices choices = PageChoices();
  if (!StoreMacroOptions(ctx_.store, selected_, choices)) {
    ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
    return;
  }
  *macro = WithChoices(*macro, choices);
}

// --- the event list --------------------------------------------------------------

void MacroPage::ShowEvents() {
  ctx_.toolkit.ClearItems(kEventList);
  for (std::size_t i = 0; i < events_.size(); ++i) {
    ctx_.toolkit.AddItem(kEventList, ui::TextItem(events_[i].desc, static_cast<int>(i)));
  }
  ctx_.toolkit.SetSelection(kEventList, event_ ? static_cast<int>(*event_) : -1);
  const std::size_t steps = EncodedRecords(events_);
  const std::string count = FillNumbers(ctx_.text(text_id::kEncodedEvents),
                                        {static_cast<long long>(steps), static_cast<long long>(kMaxMacroRecords)});
  ctx_.toolkit.SetText(kEncodedEvents, MacroFitsTheMouse(steps) ? count : "⚠ " + count);
  ctx_.toolkit.SetVisible(kEncodedEvents, selected_ > 0);
  ShowEditor();
}

void MacroPage::SelectEvent(std::optional<std::size_t> index) {
  event_ = index && *index < events_.size() ? index : std::nullopt;
  ctx_.toolkit.SetSelection(kEventList, event_ ? static_cast<int>(*event_) : -1);
  ShowEditor();
}

void MacroPage::StoreEvents() {
  if (selected_ > 0 && !StoreEventList(ctx_.store, selected_, events_)) {
    ctx_.main.Message(text_id::kNotSavedTitle, text_id::kNotSaved, ui::kMessageOk);
  }
  ShowEvents();
}

void MacroPage::OpenInsertMenu() {
  if (!MacroSelectedOrTell()) return;
  if (events_.size() >= kInsertLimit) {
    ctx_.main.Message(text_id::kNoInsertTitle, text_id::kEventLimitReached, ui::kMessageOk);
    return;
  }
  const auto item = [this](int text, int command) {
    return ui::MenuItem{ctx_.text(text), ui::msg::kInsertMenuCommand, command, 0};
  };
  ctx_.toolkit.ShowMenu({item(text_id::kInsertLeftClick, command::kInsertLeftClick),
                         item(text_id::kInsertMiddleClick, command::kInsertMiddleClick),
                         item(text_id::kInsertRightClick, command::kInsertRightClick),
                         item(text_id::kInsertKey, command::kInsertKey),
                         item(text_id::kInsertDelay, command::kInsertDelay)});
}

// Inserted events take the clock's low 32 bits as their time stamp.
void MacroPage::Insert(int command) {
  if (selected_ <= 0 || Recording() || events_.size() >= kInsertLimit) return;
  const int stamp = static_cast<int>(static_cast<std::uint32_t>(ctx_.clock()));
  std::size_t first = 0;
  switch (command) {
    case command::kInsertKey: {
      ui::RecordEditDlg editor(ctx_.toolkit, ctx_.text);
      const std::optional<ui::CapturedInput> input = editor.Run();
      if (!input) return;
      first = input->mouse_button ? InsertClick(events_, event_, input->code, stamp)
                                  : InsertKeyStroke(events_, event_, input->code, input->name, stamp);
      break;
    }
    case command::kInsertDelay:
      first = InsertDelay(events_, event_, stamp);
      break;
    case command::kInsertLeftClick:
      first = InsertClick(events_, event_, kLeftButtonBits, stamp);
      break;
    case command::kInsertMiddleClick:
      first = InsertClick(events_, event_, kMiddleButtonBits, stamp);
      break;
    case command::kInsertRightClick:
      first = InsertClick(events_, event_, kRightButtonBits, stamp);
      break;
    default:
      return;
  }
  event_ = first;
  StoreEvents();
}

void MacroPage::OpenEventMenu(int index) {
  if (selected_ <= 0 || Recording()) return;
  SelectEvent(index >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(index)) : std::nullopt);
  if (!event_) return;
  const auto item = [this](int text, int command) {
    return ui::MenuItem{ctx_.text(text), ui::msg::kEventListCommand, command, 0};
  };
  ctx_.toolkit.ShowMenu({item(text_id::kMoveTop, command::kMoveTop), item(text_id::kMoveUp, command::kMoveUp),
                         item(text_id::kMoveDown, command::kMoveDown),
                         item(text_id::kMoveBottom, command::kMoveBottom)});
}

void MacroPage::Move(int command) {
  if (selected_ <= 0 || Recording()) return;
  if (command == command::kClear) {
    events_.clear();
    event_.reset();
    StoreEvents();
    return;
  }
  if (!event_) return;
  switch (command) {
    case command::kMoveTop:
      event_ = MoveToTop(events_, *event_);
      break;
    case command::kMoveUp:
      event_ = MoveUp(events_, *event_);
      break;
    case command::kMoveDown:
      event_ = MoveDown(events_, *event_);
      break;
    case command::kMoveBottom:
      event_ = MoveToBottom(events_, *event_);
      break;
    default:
      return;
  }
  StoreEvents();
}

void MacroPage::DeleteEvent() {
  if (selected_ <= 0 || Recording() || !event_) return;
  events_.erase(events_.begin() + static_cast<std::ptrdiff_t>(*event_));
  event_.reset();
  StoreEvents();
}

// --- the recorder ------------------------------------------------------------------

void MacroPage::ToggleRecording() {
  if (Recording()) {
    StopRecording();
  } else {
    StartRecording();
  }
}

// Keys come from the whole desktop where it lets the program listen; else
// only while the window is in front, which the page then says.
void MacroPage::StartRecording() {
  if (!MacroSelectedOrTell()) return;
  const MacroOptionChoices choices = PageChoices();
  event_.reset();
  recorder_.Start(events_, static_cast<DelayMode>(choices.delay_choice), choices.delay_time, ctx_.clock());
  const bool whole_desktop = ctx_.toolkit.StartKeyRecording(kRecord);
  ctx_.toolkit.SetText(kRecordNotice, whole_desktop ? "" : ctx_.text(text_id::kRecordsFocusOnly));
  ctx_.toolkit.SetVisible(kRecordNotice, !whole_desktop);
  ShowTexts();
  EnableEditing(false);
}

// The closing delay is part of what is stored: the list shown is the macro.
void MacroPage::StopRecording() {
  recorder_.Stop(ctx_.clock());
  ctx_.toolkit.StopKeyRecording();
  ctx_.toolkit.SetVisible(kRecordNotice, false);
  ShowTexts();
  EnableEditing(true);
  StoreEvents();
}

void MacroPage::RecordKey(int event, std::int64_t evdev_code) {
  if (!Recording()) return;
  const ui::PressedKey pressed = ui::KeyOfEvdev(ctx_.toolkit, static_cast<int>(evdev_code));
  if (pressed.key == 0) return;
  const auto outcome = recorder_.Record(event == ui::event::kKeyPressed, pressed.key, pressed.name, ctx_.clock());
  if (outcome == MacroRecorder::Outcome::kRecorded) {
    ShowEvents();
    return;
  }
  StopRecording();
  ctx_.main.Message(text_id::kEventLimitTitle, text_id::kEventLimitReached, ui::kMessageOk);
}

void MacroPage::EnableEditing(bool enabled) {
  const bool editing = enabled && !Recording();
  for (const int control : kEditingControls) {
    const bool always = control == kMacroList || control == kMacroCreate;
    ctx_.toolkit.SetEnabled(control, editing && (always || selected_ > 0));
  }
  const MacroOptionChoices choices = PageChoices();
  if (choices.delay_choice != kFixedChoice) ctx_.toolkit.SetEnabled(kDelayField, false);
  if (choices.play_choice != kFixedChoice) ctx_.toolkit.SetEnabled(kPlayTimesField, false);
  ctx_.toolkit.SetEnabled(kRecord, selected_ > 0);
}

// --- the event editor ----------------------------------------------------------------

// The editor shows the selected event's kind and, by kind, its key, its
// delay or its mouse action.
void MacroPage::ShowEditor() {
  const MacroEvent* event = event_ && *event_ < events_.size() ? &events_[*event_] : nullptr;
  ctx_.toolkit.SetVisible(kEventEditor, event != nullptr && !Recording());
  if (event == nullptr) return;
  const std::optional<MouseAction> action = MouseActionOf(*event);
  const bool delay = event->type == kEventDelay;
  const bool key = event->type == kEventKeyDown || event->type == kEventKeyUp;
  ctx_.toolkit.ClearItems(kEventKind);
  const int kind = delay ? text_id::kEventKindDelay : key ? text_id::kEventKindKey : text_id::kEventKindMouse;
  ctx_.toolkit.AddItem(kEventKind, ui::TextItem(ctx_.text(kind), event->type));
  ctx_.toolkit.SetSelection(kEventKind, 0);
  ctx_.toolkit.SetVisible(kEventKeyField, key);
  ctx_.toolkit.SetVisible(kEventDelayField, delay);
  ctx_.toolkit.SetVisible(kEventAction, action.has_value());
  if (key) ctx_.toolkit.SetText(kEventKeyField, std::string(EventName(*event)));
  if (delay) ctx_.toolkit.SetText(kEventDelayField, std::to_string(event->value));
  if (action) ctx_.toolkit.SelectData(kEventAction, static_cast<int>(*action));
}

// Focus starts a capture with nothing captured; a key pressed shows its
// name; losing the focus gives the captured key to the selected event's
// press and release.
void MacroPage::OnEditorKeyField(int event, std::int64_t param) {
  if (event == ui::event::kCaptureStarted) {
    captured_key_ = 0;
    captured_name_.clear();
    ctx_.toolkit.SetText(kEventKeyField, "");
  } else if (event == ui::event::kKeyPressed) {
    ui::PressedKey pressed = ui::KeyOfEvdev(ctx_.toolkit, static_cast<int>(param));
    if (pressed.key == 0) return;
    captured_key_ = pressed.key;
    captured_name_ = std::move(pressed.name);
    ctx_.toolkit.SetText(kEventKeyField, captured_name_);
  } else if (event == ui::event::kCaptureEnded) {
    if (!event_ || *event_ >= events_.size() || captured_key_ == 0 || captured_name_.empty()) {
      ShowEditor();
      return;
    }
    ReplaceKey(events_, events_[*event_].delay_time, captured_key_, captured_name_);
    captured_key_ = 0;
    StoreEvents();
  }
}

void MacroPage::ApplyEditorDelay() {
  if (!event_ || *event_ >= events_.size() || events_[*event_].type != kEventDelay) return;
  MacroEvent& delay = events_[*event_];
  delay = DelayEvent(ReadDelayField(ctx_.toolkit.GetText(kEventDelayField)), delay.delay_time);
  StoreEvents();
}

void MacroPage::ApplyMouseAction(int index) {
  const auto items = ctx_.toolkit.Items(kEventAction);
  if (!event_ || *event_ >= events_.size() || index < 0 || index >= static_cast<int>(items.size())) return;
  ReplaceMouseAction(events_, events_[*event_].delay_time,
                     static_cast<MouseAction>(items[static_cast<std::size_t>(index)].data));
  StoreEvents();
}

}  // namespace korvane
