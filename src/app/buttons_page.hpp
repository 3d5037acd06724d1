#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/page_context.hpp"
#include "buttons/button_assignments.hpp"

namespace korvane {

// The buttons page: the model's buttons as a list and as spots on the mouse
// picture (each follows the other), one chooser per function group, the key
// combination panel with its key capture and modifier toggles, the rapid
// fire panel, the disable button and the two resets. Every assignment is
// stored in the current profile first; the table write is then queued and
// the save tip shown. UI thread only.
class ButtonsPage final {
 public:
  // Routes the page's controls and hooks the refreshes; the controller must
  // outlive the page.
  explicit ButtonsPage(PageContext context);

  // Makes the first button current, describes every button from the
  // current profile in the current language and shows the current function.
  void Load();

  int CurrentButton() const { return current_; }

 private:
  PageContext ctx_;
  std::vector<ButtonView> views_;
  int current_ = 0;  // key_code of the current button
  int captured_key_ = 0;
  std::string captured_name_;

  ButtonTarget Target() const;
  // A button's description of a macro, in the current language.
  std::string MacroName(const std::string& stored) const;

  void Route();
  void FillChoosers();
  void FillMacroChooser();
  void ShowButtons();
  void ShowDescription(int key_code, const std::string& description);
  void SelectButton(int key_code);
  void ShowFunction();
  void ShowPanels(bool key_panel, bool repeat_panel);

  void AssignFromChooser(int chooser, int type, int index);
  void OpenKeyCapture();
  void OpenRepeatPanel();
  void OnKeyField(int event, std::int64_t param);
  void ConfirmKey();
  void ClampRepeatField(int field);
  void ConfirmRepeat();
  void Disable();
  void ResetCurrent();
  void ResetAll();

  // Shows what became of an assignment: the new description and the save
  // tip, or the message that says why nothing was stored.
  void Finish(AssignResult result, const std::string& description);
  bool PrimaryButtonRefused();
  bool Confirmed();
};

}  // namespace korvane
