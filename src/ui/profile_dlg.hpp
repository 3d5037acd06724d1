#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_lookup.hpp"
#include "ui/toolkit.hpp"

namespace korvane::ui {

struct ProfileEntry {
  int number = 0;
  std::string stored_name;
};

// A stored name beginning with "Profile" or "配置" is shown as profile_word
// (language text 61), a blank and the rest of the name; others as stored.
std::string DisplayedProfileName(std::string_view stored_name, std::string_view profile_word);

// ProfileDlg: the profile pop-up. Its requests reach the main window as
// msg::kProfileRequest (wparam 0 switch, 1 import, 2 export; lparam the
// profile), posted in the order they must be handled. A click on a profile
// switches to it; renaming one in place only stores its name, and import
// and export act on the current profile.
class ProfileDlg final : public WindowHandler {
 public:
  // rename stores a new name at once: the typed name without the blanks
  // around it. A blank name, or the name the list showed, never reaches it;
  // the list shows the stored name again.
  using RenameFn = std::function<void(int profile, const std::string& name)>;

  ProfileDlg(Toolkit& toolkit, TextLookup text, RenameFn rename);
  ~ProfileDlg() override;
  ProfileDlg(const ProfileDlg&) = delete;
  ProfileDlg& operator=(const ProfileDlg&) = delete;

  // Shows the profiles modally at rect with current selected; returns when
  // the dialog closed.
  void Run(const std::vector<ProfileEntry>& profiles, int current, Rect rect);

  bool OnControlEvent(int control, int event, std::int64_t param) override;
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t lparam) override;

 private:
  Toolkit& toolkit_;
  TextLookup text_;
  RenameFn rename_;
  std::vector<ProfileEntry> profiles_;
  int current_ = 0;

  static ListItem Item(const ProfileEntry& profile, std::string_view profile_word);
  void Rename(int index);
  void Close(std::optional<int> request);
};

}  // namespace korvane::ui
