#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/page_context.hpp"
#include "macros/macro_events.hpp"
#include "macros/macro_recorder.hpp"
#include "macros/macro_store.hpp"
#include "store/records.hpp"

namespace korvane {

// The macro page: the model's macros (create, rename in place, delete,
// import and export through the list's menu),
// the selected macro's options and event list, the recorder, the insert and
// move commands and the editor of the selected event. Every change of the
// list is stored at once; the page shows how many of the mouse's steps the
// macro takes. UI thread only.
class MacroPage final {
 public:
  // Routes the page's controls and menus and hooks the refreshes; the
  // controller must outlive the page.
  explicit MacroPage(PageContext context);

  // Lists the macros and selects the first (stopping a recording first).
  void Load();

  bool Recording() const { return recorder_.Recording(); }

 private:
  PageContext ctx_;
  std::vector<MacroHeader> macros_;  // in list order
  int selected_ = 0;                 // macro_id, 0 without a selection
  EventList events_;
  std::optional<std::size_t> event_;  // the selected event
  MacroRecorder recorder_;
  int captured_key_ = 0;  // the event editor's key field
  std::string captured_name_;

  void Route();
  void RouteMenus();
  void ShowTexts();

  // The macro list.
  void ShowMacroList(int select_index);
  void SelectMacro(int index);
  void CreateMacro();
  void DeleteMacro();
  void RenameMacro(int index);
  bool MacroSelectedOrTell();

  // Macro files, from the macro list's menu.
  void OpenMacroMenu(int index);
  void MacroFileCommand(int command);

  // The option groups.
  void ShowOptions(const MacroHeader& header);
  void ChooseDelay(int choice);
  void ChoosePlay(int choice);
  void ReadOptionField(int field);
  MacroOptionChoices PageChoices() const;
  void ChangeMacroOptions();

  // The event list.
  void ShowEvents();
  void SelectEvent(std::optional<std::size_t> index);
  void StoreEvents();
  void OpenInsertMenu();
  void Insert(int command);
  void OpenEventMenu(int index);
  void Move(int command);
  void DeleteEvent();

  // The recorder.
  void ToggleRecording();
  void StartRecording();
  void StopRecording();
  void RecordKey(int event, std::int64_t evdev_code);
  void EnableEditing(bool enabled);

  // The event editor.
  void ShowEditor();
  void OnEditorKeyField(int event, std::int64_t param);
  void ApplyEditorDelay();
  void ApplyMouseAction(int index);
};

}  // namespace korvane
