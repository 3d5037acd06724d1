#include "app/performance_page.hpp"

#include <array>
#include <string>

#include "common/text_ids.hpp"
#include "device/sensor_dpi_table.hpp"
#include "performance/dpi_model.hpp"
#include "performance/rate_model.hpp"
#include "performance/sensor_power_model.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/message_box.hpp"
#include "ui/palette_dlg.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"
#include "worker/worker_events.hpp"

namespace korvane {

namespace {

constexpr std::array<int, 3> kSensorBoxes{ui::ctl::kSensorOption1, ui::ctl::kSensorOption2, ui::ctl::kSensorOption3};

ui::ListItem LevelItem(int value, int colour) {
  ui::ListItem item;
  item.text = std::to_string(value);
  item.data = value;
  item.colour = colour;
  return item;
}

}  // namespace

PerformancePage::PerformancePage(PageContext context) : ctx_(std::move(context)) {
  Route();
  ctx_.hooks.OnRefresh([this](unsigned pages) {
    if (pages & kPerformancePage) Load();
  });
  ctx_.hooks.OnDpiButton([this](int count, int index) { OnDpiButton(count, index); });
  ctx_.hooks.OnLanguageChanged([this] { FillFixedLists(); });
}

SettingsTarget PerformancePage::Target() const { return {ctx_.store, ctx_.state, ctx_.queue}; }

int PerformancePage::Profile() const { return ctx_.state.current_profile; }

void PerformancePage::Route() {
  using namespace ui::ctl;
  auto click = [](auto operation) {
    return [operation](int, std::int64_t param) {
      operation(param);
      return true;
    };
  };
  ctx_.main.RouteTo(kDpiLevels, [this](int event, std::int64_t param) {
    OnLevelsEvent(event, param);
    return true;
  });
  ctx_.main.RouteTo(kDpiSlider, [this](int event, std::int64_t param) {
    Slide(event, static_cast<int>(param));
    return true;
  });
  ctx_.main.RouteTo(kDpiCount, click([this](std::int64_t index) { ChangeCount(static_cast<int>(index)); }));
  ctx_.main.RouteTo(kDpiApply, click([this](std::int64_t) {
                      ctx_.queue.Push(kTaskDpiLevels);
                      Changed();
                    }));
  ctx_.main.RouteTo(kDpiReset, click([this](std::int64_t) { ResetDpi(); }));
  ctx_.main.RouteTo(kReportRate, click([this](std::int64_t index) { ChangeRate(static_cast<int>(index)); }));
  ctx_.main.RouteTo(kReportRateReset, click([this](std::int64_t) { ResetRate(); }));
  ctx_.main.RouteTo(kResponseTime, [this](int event, std::int64_t) {
    OnResponseTimeEvent(event);
    return true;
  });
  for (const int radio : {kLiftOff1mm, kLiftOff2mm}) {
    ctx_.main.RouteTo(radio, click([this](std::int64_t) {
                        ChangeLiftOff(Target(), ctx_.toolkit.IsChecked(ui::ctl::kLiftOff2mm));
                        Changed();
                      }));
  }
  for (const int box : kSensorBoxes) {
    ctx_.main.RouteTo(box, click([this](std::int64_t) { ChangeSensorOptions(); }));
  }
  ctx_.main.RouteTo(kSleepTime, click([this](std::int64_t index) { ChangeSleepTime(static_cast<int>(index)); }));
  ctx_.main.RouteTo(kMoveWakeup, click([this](std::int64_t checked) {
                      ChangeMoveWakeup(Target(), checked != 0);
                      Changed();
                    }));
  ctx_.main.RouteTo(kMoveLightOff, click([this](std::int64_t checked) {
                      ChangeMoveLightOff(Target(), checked != 0);
                      Changed();
                    }));
  ctx_.main.RouteTo(kSystemMouseSettings, click([this](std::int64_t) { OpenMouseSettings(); }));
}

// The count box ("1".."6") and the sleep times ("1 min" …), whose captions
// depend on the language.
void PerformancePage::FillFixedLists() {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  toolkit.ClearItems(kDpiCount);
  for (int count = 1; count <= kMaxDpiLevels; ++count)
    toolkit.AddItem(kDpiCount, ui::TextItem(std::to_string(count), count));
  toolkit.ClearItems(kSleepTime);
  const std::string unit = ctx_.text(text_id::kMinutes);
  for (const SleepChoice& choice : kSleepChoices) {
    toolkit.AddItem(kSleepTime, ui::TextItem(std::to_string(choice.minutes) + " " + unit, choice.stored));
  }
  const int profile = Profile();
  toolkit.SelectData(kDpiCount, ConfigInt(ctx_.store, profile, ConfigKey::kDpiCount));
  if (!toolkit.SelectData(kSleepTime, ConfigInt(ctx_.store, profile, ConfigKey::kSleepLight))) {
    toolkit.SetSelection(kSleepTime, -1);
  }
}

void PerformancePage::Load() {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  ConfigStore& store = ctx_.store;
  const int profile = Profile();
  const DeviceModel& model = ctx_.model.Get();
  toolkit.SetVisible(kLiftOffSection, model.lod_shown);
  toolkit.SetVisible(kSensorSection, model.sensor_shown);
  // Switching the lighting off while moving means nothing on a mouse without lighting.
  toolkit.SetVisible(kMoveLightOff, model.light_page_shown);

  toolkit.SetText(kResponseTime, std::to_string(ConfigInt(store, profile, ConfigKey::kButtonRespondTime)));

  const int capability = ctx_.state.Info().rate_capability;
  toolkit.ClearItems(kReportRate);
  for (const RateEntry& rate : OfferedRates(capability)) {
    ui::ListItem item;
    item.text = std::string(rate.text);
    item.data = rate.code;
    item.colour = rate.colour;
    toolkit.AddItem(kReportRate, item);
  }
  const auto rate_index = OfferedRateIndex(capability, ConfigInt(store, profile, ConfigKey::kReportRate));
  toolkit.SetSelection(kReportRate, rate_index ? static_cast<int>(*rate_index) : -1);

  FillFixedLists();
  LoadDpi();

  const int sensor_flag = ConfigInt(store, profile, ConfigKey::kSensorFlag);
  for (std::size_t i = 0; i < kSensorBoxes.size(); ++i) {
    toolkit.SetChecked(kSensorBoxes[i], (sensor_flag & kSensorOptionBits[i]) != 0);
  }
  const bool two_millimetres = LiftOffIsTwoMillimetres(store, profile);
  toolkit.SetChecked(kLiftOff1mm, !two_millimetres);
  toolkit.SetChecked(kLiftOff2mm, two_millimetres);
  // A box is checked exactly when its setting is on (1), the value a click
  // on a checked box stores.
  toolkit.SetChecked(kMoveWakeup, ConfigInt(store, profile, ConfigKey::kMoveWakeup) == 1);
  toolkit.SetChecked(kMoveLightOff, ConfigInt(store, profile, ConfigKey::kMoveCloseLight) == 1);
}

// The slider's range and captions follow the connected mouse's sensor; the
// level list shows the profile's levels (as many as the count box, which
// FillFixedLists has set) with the active one selected.
void PerformancePage::LoadDpi() {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  const SensorDpiRow& row = CurrentSensorRow(ctx_.state);
  toolkit.SetRange(kDpiSlider, row.slider_low, row.slider_high);
  toolkit.SetRangeCaptions(kDpiSlider, row.caption_low, row.caption_high);
  RebuildDpiList();
}

void PerformancePage::RebuildDpiList() {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  const DpiLevels levels = LoadDpiLevels(ctx_.store, Profile());
  const std::vector<ui::ListItem> counts = toolkit.Items(kDpiCount);
  const int selected = toolkit.Selection(kDpiCount);
  const int count = selected >= 0 && selected < static_cast<int>(counts.size()) ? counts[selected].data : 0;
  toolkit.ClearItems(kDpiLevels);
  for (int level = 0; level < count; ++level) {
    toolkit.AddItem(kDpiLevels, LevelItem(levels.values[level], levels.colours[level]));
  }
  toolkit.SetSelection(kDpiLevels, levels.index);
  DpiCache& cache = ctx_.dpi;
  cache.count = count;
  cache.index = levels.index;
  if (levels.index >= 0 && levels.index < count) MoveSliderTo(levels.values[levels.index]);
}

void PerformancePage::ShowLevel(int level, int value) {
  const std::vector<ui::ListItem> items = ctx_.toolkit.Items(ui::ctl::kDpiLevels);
  if (level < 0 || level >= static_cast<int>(items.size())) return;
  ctx_.toolkit.SetItem(ui::ctl::kDpiLevels, level, LevelItem(value, items[level].colour.value_or(0)));
}

void PerformancePage::MoveSliderTo(int value) {
  ctx_.toolkit.SetValue(ui::ctl::kDpiSlider, SliderIndexOf(CurrentSensorRow(ctx_.state), value));
}

int PerformancePage::LevelValue(int level) const { return ConfigInt(ctx_.store, Profile(), DpiValueKey(level)); }

void PerformancePage::Changed() { ctx_.main.ShowSaveTip(); }

void PerformancePage::OnLevelsEvent(int event, std::int64_t param) {
  const int level = static_cast<int>(param);
  switch (event) {
    case ui::event::kClick:
    case ui::event::kLevelSelected:
      SelectLevel(level);
      break;
    case ui::event::kValueTyped:
      TypeLevelValue(level);
      break;
    case ui::event::kColourSwatch:
      PickLevelColour(level);
      break;
    default:
      break;
  }
}

void PerformancePage::SelectLevel(int level) {
  const auto changed = korvane::SelectDpiLevel(Target(), ctx_.dpi, level);
  if (!changed) return;
  ctx_.toolkit.SetSelection(ui::ctl::kDpiLevels, level);
  const int value = LevelValue(level);
  MoveSliderTo(value);
  if (*changed) {
    ctx_.main.ShowDpiTip(value);
    Changed();
  }
}

void PerformancePage::TypeLevelValue(int level) {
  const std::vector<ui::ListItem> items = ctx_.toolkit.Items(ui::ctl::kDpiLevels);
  if (level < 0 || level >= static_cast<int>(items.size())) return;
  const auto value = TypeDpiValue(Target(), level, items[level].text);
  if (!value) return;
  ShowLevel(level, *value);
  MoveSliderTo(*value);
  // Typing into a level also makes it the active one.
  if (korvane::SelectDpiLevel(Target(), ctx_.dpi, level).value_or(false)) ctx_.main.ShowDpiTip(*value);
  Changed();
}

void PerformancePage::PickLevelColour(int level) {
  if (level < 0 || level >= kMaxDpiLevels) return;
  const int current = ConfigInt(ctx_.store, Profile(), DpiColourKey(level));
  ui::PaletteDlg palette(ctx_.toolkit, ctx_.text);
  const int colour = palette.Run(current);
  if (!SetDpiColour(Target(), level, colour)) return;
  const std::vector<ui::ListItem> items = ctx_.toolkit.Items(ui::ctl::kDpiLevels);
  if (level < static_cast<int>(items.size())) {
    ui::ListItem item = items[level];
    item.colour = colour;
    ctx_.toolkit.SetItem(ui::ctl::kDpiLevels, level, item);
  }
  const int value = LevelValue(level);
  MoveSliderTo(value);
  ctx_.main.ShowDpiTip(value);
  Changed();
}

// Dragging sets the selected level's value at once; the release sends the
// levels. A release without a selected level still sends them.
void PerformancePage::Slide(int event, int slider_index) {
  const bool released = event == ui::event::kClick;
  if (!released && event != ui::event::kSliderMoving) return;
  const int level = ctx_.toolkit.Selection(ui::ctl::kDpiLevels);
  const auto value = SlideDpiValue(Target(), level, slider_index, released);
  if (value) ShowLevel(level, *value);
  if (!released) return;
  if (!value) ctx_.queue.Push(kTaskDpiLevels);
  Changed();
}

void PerformancePage::ChangeCount(int index) {
  const std::vector<ui::ListItem> items = ctx_.toolkit.Items(ui::ctl::kDpiCount);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  if (!korvane::ChangeDpiCount(Target(), ctx_.dpi, items[index].data)) return;
  RebuildDpiList();
  Changed();
}

void PerformancePage::ResetDpi() {
  if (ctx_.main.Message(text_id::kDpiResetTitle, text_id::kDpiResetQuestion, ui::kMessageOkCancel) == ui::kResultCancel)
    return;
  ctx_.queue.Push(kTaskDpiReset);
}

// The mouse's own DPI button: the worker has stored the new count and level;
// the page follows what changed and shows the tip for a new level.
void PerformancePage::OnDpiButton(int count, int index) {
  using namespace ui::ctl;
  ui::Toolkit& toolkit = ctx_.toolkit;
  if (count < 1 || count > kMaxDpiLevels || index < 0 || index >= count) return;
  const int shown_index = toolkit.Selection(kDpiLevels);
  if (static_cast<int>(toolkit.Items(kDpiLevels).size()) != count) {
    toolkit.SelectData(kDpiCount, count);
    RebuildDpiList();
  }
  if (shown_index == index) return;
  toolkit.SetSelection(kDpiLevels, index);
  const int value = LevelValue(index);
  MoveSliderTo(value);
  ctx_.main.ShowDpiTip(value);
}

void PerformancePage::ChangeRate(int index) {
  const std::vector<ui::ListItem> items = ctx_.toolkit.Items(ui::ctl::kReportRate);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  if (!ChangeReportRate(Target(), items[index].data)) return;
  Changed();
}

void PerformancePage::ResetRate() {
  ResetReportRate(Target(), ctx_.sources);
  if (!ctx_.toolkit.SelectData(ui::ctl::kReportRate, ConfigInt(ctx_.store, Profile(), ConfigKey::kReportRate))) {
    ctx_.toolkit.SetSelection(ui::ctl::kReportRate, -1);
  }
  Changed();
}

// Typing stores the clamped value without sending it; the commit sends it.
void PerformancePage::OnResponseTimeEvent(int event) {
  ui::Toolkit& toolkit = ctx_.toolkit;
  const std::string typed = toolkit.GetText(ui::ctl::kResponseTime);
  if (event == ui::event::kTextChanged || event == ui::event::kValueTyped) {
    const std::string shown = std::to_string(EditResponseTime(Target(), typed));
    if (shown != typed) toolkit.SetText(ui::ctl::kResponseTime, shown);
  } else if (event == ui::event::kClick) {
    const int milliseconds = ClampResponseTime(typed);
    toolkit.SetText(ui::ctl::kResponseTime, std::to_string(milliseconds));
    ChangeResponseTime(Target(), milliseconds);
    Changed();
  }
}

void PerformancePage::ChangeSensorOptions() {
  std::array<bool, 3> checked{};
  for (std::size_t i = 0; i < kSensorBoxes.size(); ++i) checked[i] = ctx_.toolkit.IsChecked(kSensorBoxes[i]);
  korvane::ChangeSensorOptions(Target(), checked);
  Changed();
}

void PerformancePage::ChangeSleepTime(int index) {
  const std::vector<ui::ListItem> items = ctx_.toolkit.Items(ui::ctl::kSleepTime);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  if (korvane::ChangeSleepTime(Target(), items[index].data)) Changed();
}

void PerformancePage::OpenMouseSettings() {
  if (!ctx_.open_mouse_settings()) {
    ctx_.main.Message(text_id::kPointerTitle, text_id::kNoMouseSettingsPanel, ui::kMessageOk);
  }
}

}  // namespace korvane
