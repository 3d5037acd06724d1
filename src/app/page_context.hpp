#pragma once

#include <cstdint>
#include <functional>

#include "app/control_router.hpp"
#include "app/page_hooks.hpp"
#include "catalog/model_holder.hpp"
#include "common/text_lookup.hpp"
#include "performance/dpi_model.hpp"
#include "profiles/model_loader.hpp"
#include "ui/toolkit.hpp"

namespace korvane {

class ConfigStore;
class PendingMacro;
class ConnectionState;
class TaskQueue;

// What the main window does for its pages: routes their controls to them
// and shows the tips and message boxes they ask for.
class PageServices {
 public:
  using MessageHandler = std::function<std::int64_t(std::int64_t wparam, std::int64_t lparam)>;

  virtual void RouteTo(int control, ControlRouter::Handler handler) = 0;
  // Handles a window message (the page's menu commands, say); with a
  // wparam, only the message carrying it.
  virtual void OnMessage(int message, MessageHandler handler) = 0;
  virtual void OnMessage(int message, std::int64_t wparam, MessageHandler handler) = 0;
  // The save tip and the DPI tip, when the current model shows them.
  virtual void ShowSaveTip() = 0;
  virtual void ShowDpiTip(int dpi) = 0;
  // The skinned message box with language texts; returns its result.
  virtual int Message(int title, int message, int kind) = 0;
  // The page's tab is hidden for the current model: the user is moved off it.
  virtual void LeaveTab(int item) = 0;

 protected:
  ~PageServices() = default;
};

// Everything a feature page works with: the main window's services, the
// toolkit and texts, the settings store, the queue and state it shares with
// the worker, the current model, and the hooks it follows.
struct PageContext {
  PageServices& main;
  ui::Toolkit& toolkit;
  TextLookup text;
  ConfigStore& store;
  TaskQueue& queue;
  ConnectionState& state;
  ModelHolder& model;
  ModelSources sources;
  DpiCache& dpi;
  // The macro the next button-table write sends first.
  PendingMacro& pending_macro;
  PageHooks& hooks;
  // Opens the desktop's own mouse settings; false when it has none.
  std::function<bool()> open_mouse_settings;
  // Milliseconds of a steady clock (the macro recorder's delays).
  std::function<std::int64_t()> clock;
};

}  // namespace korvane
