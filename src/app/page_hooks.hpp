#pragma once

#include <functional>
#include <vector>

#include "worker/task_queue.hpp"

namespace korvane {

// Where the feature pages (buttons, performance, macros, lighting, updates)
// hook into what the main window does for all of them. Every hook runs on
// the UI thread, in the order registered.
class PageHooks final {
 public:
  using RefreshHook = std::function<void(unsigned pages)>;  // PageSet bits
  using TaskHook = std::function<void(TaskCode code, bool succeeded)>;
  using DpiHook = std::function<void(int count, int index)>;
  using Hook = std::function<void()>;

  // The worker asks for pages to be reloaded from the database.
  void OnRefresh(RefreshHook hook) { refresh_.push_back(std::move(hook)); }
  // The worker finished a task.
  void OnTaskFinished(TaskHook hook) { task_.push_back(std::move(hook)); }
  // The mouse's DPI button changed the level.
  void OnDpiButton(DpiHook hook) { dpi_.push_back(std::move(hook)); }
  // Pop-ups are closed on a device change: stop a recording, drop the key
  // field's focus, hide the page's own pop-ups.
  void OnCloseTransient(Hook hook) { close_.push_back(std::move(hook)); }
  // The language changed: captions the page fills itself are set again.
  void OnLanguageChanged(Hook hook) { language_.push_back(std::move(hook)); }
  // A macro was created, renamed or deleted: the choosers that list macros
  // and the descriptions that name them are shown again.
  void OnMacrosChanged(Hook hook) { macros_.push_back(std::move(hook)); }

  void Refresh(unsigned pages) const {
    for (const auto& hook : refresh_) hook(pages);
  }
  void TaskFinished(TaskCode code, bool succeeded) const {
    for (const auto& hook : task_) hook(code, succeeded);
  }
  void DpiButton(int count, int index) const {
    for (const auto& hook : dpi_) hook(count, index);
  }
  void CloseTransient() const {
    for (const auto& hook : close_) hook();
  }
  void LanguageChanged() const {
    for (const auto& hook : language_) hook();
  }
  void MacrosChanged() const {
    for (const auto& hook : macros_) hook();
  }

 private:
  std::vector<RefreshHook> refresh_;
  std::vector<TaskHook> task_;
  std::vector<DpiHook> dpi_;
  std::vector<Hook> close_;
  std::vector<Hook> language_;
  std::vector<Hook> macros_;
};

}  // namespace korvane
