#include "ui/profile_dlg.hpp"

#include <utility>

#include "common/text.hpp"
#include "common/text_ids.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane::ui {

namespace {

constexpr WindowId kWindow = WindowId::kProfile;
constexpr ControlRef kList{kWindow, ctl::profile::kList};
constexpr int kRequestSwitch = 0;
constexpr int kRequestImport = 1;
constexpr int kRequestExport = 2;

std::optional<std::string_view> RestAfter(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  return name.substr(prefix.size());
}

}  // namespace

ListItem ProfileDlg::Item(const ProfileEntry& profile, std::string_view profile_word) {
  return TextItem(DisplayedProfileName(profile.stored_name, profile_word), profile.number);
}

std::string DisplayedProfileName(std::string_view stored_name, std::string_view profile_word) {
  auto rest = RestAfter(stored_name, "Profile");
  if (!rest) rest = RestAfter(stored_name, "配置");
  if (!rest) return std::string(stored_name);
  // One blank between the word and the rest, whatever blank the stored name
  // already has there.
  const std::string_view number = Trim(*rest);
  return number.empty() ? std::string(profile_word) : std::string(profile_word) + " " + std::string(number);
}

ProfileDlg::ProfileDlg(Toolkit& toolkit, TextLookup text, RenameFn rename)
    : toolkit_(toolkit), text_(std::move(text)), rename_(std::move(rename)) {
  toolkit_.SetHandler(kWindow, this);
}

ProfileDlg::~ProfileDlg() { toolkit_.SetHandler(kWindow, nullptr); }

void ProfileDlg::Run(const std::vector<ProfileEntry>& profiles, int current, Rect rect) {
  profiles_ = profiles;
  current_ = current;
  const std::string word = text_(text_id::kProfile);
  toolkit_.ClearItems(kList);
  for (const ProfileEntry& profile : profiles_) toolkit_.AddItem(kList, Item(profile, word));
  toolkit_.SelectData(kList, current_);
  toolkit_.SetText({kWindow, ctl::profile::kImport}, text_(text_id::kImport));
  toolkit_.SetText({kWindow, ctl::profile::kExport}, text_(text_id::kExport));
  toolkit_.MoveWindow(kWindow, rect);
  toolkit_.RunModal(kWindow);
}

bool ProfileDlg::OnControlEvent(int control, int event, std::int64_t param) {
  const int index = static_cast<int>(param);
  if (control == ctl::profile::kList && event == event::kValueTyped) {
    Rename(index);
  } else if (control == ctl::profile::kList && event == event::kClick) {
    if (index < 0 || index >= static_cast<int>(profiles_.size())) return true;
    toolkit_.PostMessage(WindowId::kMain, msg::kProfileRequest, kRequestSwitch, profiles_[index].number);
    Close(std::nullopt);
  } else if (control == ctl::profile::kImport && event == event::kClick) {
    Close(kRequestImport);
  } else if (control == ctl::profile::kExport && event == event::kClick) {
    Close(kRequestExport);
  } else {
    return false;
  }
  return true;
}

std::int64_t ProfileDlg::OnWindowMessage(int message, std::int64_t wparam, std::int64_t) {
  if (message == msg::kClose || (message == msg::kActivate && wparam == 0)) Close(std::nullopt);
  return 0;
}

// A name that is blank or what the list showed keeps the stored one, so a
// default name goes on following the language.
void ProfileDlg::Rename(int index) {
  if (index < 0 || index >= static_cast<int>(profiles_.size())) return;
  ProfileEntry& profile = profiles_[index];
  const std::string word = text_(text_id::kProfile);
  const std::vector<ListItem> items = toolkit_.Items(kList);
  const std::string name(index < static_cast<int>(items.size()) ? Trim(items[index].text) : std::string_view());
  if (!name.empty() && name != DisplayedProfileName(profile.stored_name, word)) {
    profile.stored_name = name;
    rename_(profile.number, name);
  }
  toolkit_.SetItem(kList, index, Item(profile, word));
}

void ProfileDlg::Close(std::optional<int> request) {
  if (request) toolkit_.PostMessage(WindowId::kMain, msg::kProfileRequest, *request, current_);
  toolkit_.EndModal(kWindow, 0);
}

}  // namespace korvane::ui
