// QtToolkit as the program relies on it: user actions arrive as (control,
// event, parameter), the toolkit's own changes raise none, posted work runs on
// the GUI thread, and queries answer what was set.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "frontend/qt/button_list_widget.hpp"
#include "frontend/qt/caption_slider.hpp"
#include "frontend/qt/colour_button.hpp"
#include "frontend/qt/dpi_levels_widget.hpp"
#include "frontend/qt/key_capture_field.hpp"
#include "frontend/qt/mouse_picture_widget.hpp"
#include "frontend/qt/rate_list_widget.hpp"
#include "gui_fixture.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane {
namespace {

namespace ctl = ui::ctl;
using Event = std::tuple<int, int, std::int64_t>;

// A list item with a text, its data and, for level and rate lists, a colour.
ui::ListItem Item(std::string text, int data, std::optional<int> colour = std::nullopt) {
  ui::ListItem item;
  item.text = std::move(text);
  item.data = data;
  item.colour = colour;
  return item;
}

class Recorder final : public ui::WindowHandler {
 public:
  std::vector<Event> events;
  std::vector<int> messages;
  std::vector<std::pair<int, std::int64_t>> message_wparams;
  bool OnControlEvent(int control, int event, std::int64_t param) override {
    events.emplace_back(control, event, param);
    return true;
  }
  std::int64_t OnWindowMessage(int message, std::int64_t wparam, std::int64_t) override {
    messages.push_back(message);
    message_wparams.emplace_back(message, wparam);
    return 0;
  }
};

class QtToolkitTest : public test::GuiTest {
 protected:
  Recorder recorder;

  void SetUp() override {
    GuiTest::SetUp();
    toolkit->SetHandler(ui::WindowId::kMain, &recorder);
  }

  template <typename W>
  W* As(ui::ControlRef control) {
    auto* widget = qobject_cast<W*>(toolkit->Widget(control));
    EXPECT_NE(widget, nullptr) << control.id;
    return widget;
  }
};

TEST_F(QtToolkitTest, UserActionsBecomeEventsTheToolkitsOwnChangesDoNot) {
  toolkit->SetChecked(ctl::kAutostart, true);
  toolkit->SetSelection(ctl::kTabStrip, 2);
  toolkit->SetSelection(ctl::kLanguageList, 1);
  toolkit->SetText(ctl::kConnectionState, "x");
  EXPECT_TRUE(recorder.events.empty());

  As<QAbstractButton>(ctl::kSettings)->click();
  As<QAbstractButton>(ctl::kAutostart)->click();
  As<QAbstractButton>(ctl::kExitHidesToTray)->click();
  emit As<QComboBox>(ctl::kLanguageList)->activated(3);
  EXPECT_EQ(recorder.events, (std::vector<Event>{{ctl::kSettings, ui::event::kClick, 0},
                                                 {ctl::kAutostart, ui::event::kClick, 0},
                                                 {ctl::kExitHidesToTray, ui::event::kClick, 1},
                                                 {ctl::kLanguageList, ui::event::kClick, 3}}));
  EXPECT_FALSE(toolkit->IsChecked(ctl::kAutostart));
}

TEST_F(QtToolkitTest, RadiosOfAGroupExcludeEachOtherAndTabsShowTheirPage) {
  toolkit->SetChecked(ctl::kExitHidesToTray, true);
  toolkit->SetChecked(ctl::kExitEndsProgram, true);
  EXPECT_FALSE(toolkit->IsChecked(ctl::kExitHidesToTray));

  const auto tabs = toolkit->Items(ctl::kTabStrip);
  ASSERT_EQ(tabs.size(), 6u);
  toolkit->SetSelection(ctl::kTabStrip, 5);
  auto* pages = toolkit->MainWindow()->findChild<QStackedWidget*>("pageArea");
  ASSERT_NE(pages, nullptr);
  EXPECT_TRUE(pages->currentWidget()->isAncestorOf(toolkit->Widget(ctl::kDeviceInfoPage)));
  toolkit->SetItemVisible(ctl::kTabStrip, 4, false);
  EXPECT_EQ(toolkit->Items(ctl::kTabStrip).size(), 6u) << "hiding a tab keeps the indexes";
}

TEST_F(QtToolkitTest, QueriesAnswerWhatWasSetAndUnknownControlsAreIgnored) {
  ui::ListItem item;
  item.text = "800";
  item.data = 800;
  item.colour = 0x0000FF;
  toolkit->AddItem(ctl::kDpiLevels, item);  // no widget yet: kept all the same
  ASSERT_EQ(toolkit->Items(ctl::kDpiLevels).size(), 1u);
  EXPECT_EQ(toolkit->Items(ctl::kDpiLevels)[0].colour, 0x0000FF);
  EXPECT_TRUE(toolkit->SelectData(ctl::kDpiLevels, 800));
  EXPECT_EQ(toolkit->Selection(ctl::kDpiLevels), 0);
  EXPECT_FALSE(toolkit->SelectData(ctl::kLanguageList, 4242));

  toolkit->SetRange({ui::WindowId::kDpiTip, ctl::dpi_tip::kBar}, 0, 16000);
  toolkit->SetValue({ui::WindowId::kDpiTip, ctl::dpi_tip::kBar}, 26000);
  EXPECT_EQ(toolkit->Value({ui::WindowId::kDpiTip, ctl::dpi_tip::kBar}), 16000);

  toolkit->SetText(9999, "nothing");
  EXPECT_EQ(toolkit->GetText(9999), "");
  EXPECT_FALSE(toolkit->IsVisible(9999));
  EXPECT_EQ(toolkit->Selection(9999), -1);
}

TEST_F(QtToolkitTest, WorkPostedFromAnotherThreadRunsOnTheGuiThreadInOrder) {
  std::vector<int> ran;
  std::vector<bool> on_gui_thread;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) {
      toolkit->Post([&, i] {
        ran.push_back(i);
        on_gui_thread.push_back(QThread::currentThread() == qApp->thread());
      });
    }
    toolkit->PostMessage(ui::WindowId::kMain, 1705, 0, 2);
  });
  worker.join();
  EXPECT_TRUE(ran.empty()) << "nothing runs before the event loop";
  test::Settle();
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(on_gui_thread, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(recorder.messages, std::vector<int>{1705});
}

TEST_F(QtToolkitTest, OneShotTimersFireOnceAndStoppedTimersNever) {
  int once = 0;
  int stopped = 0;
  toolkit->StartTimer(std::chrono::milliseconds(5), false, [&] { ++once; });
  const ui::TimerId timer = toolkit->StartTimer(std::chrono::milliseconds(5), true, [&] { ++stopped; });
  toolkit->StopTimer(timer);
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
  while (std::chrono::steady_clock::now() < until) test::Settle();
  EXPECT_EQ(once, 1);
  EXPECT_EQ(stopped, 0);
}

// The performance and lighting pages' own widgets, filled as the controller
// fills them: six DPI levels (level 3 selected), the DPI slider at 100 of
// 0..520, four report rates (1000Hz chosen), the first preset colour and the
// first slot checked, the brightness slider at 2 of 0..4.
class FeatureWidgetsTest : public QtToolkitTest {
 protected:
  void SetUp() override {
    QtToolkitTest::SetUp();
    toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
    const std::vector<std::pair<int, int>> levels{{400, 0x0000FF},  {800, 0x00FF00},  {1600, 0xFF0000},
                                                  {3200, 0x00FFFF}, {6400, 0xFF00FF}, {12800, 0xFFFF00}};
    for (const auto& [dpi, colour] : levels) {
      toolkit->AddItem(ctl::kDpiLevels, Item(std::to_string(dpi), dpi, colour));
    }
    toolkit->SetSelection(ctl::kDpiLevels, 2);
    toolkit->SetRange(ctl::kDpiSlider, 0, 520);
    toolkit->SetRangeCaptions(ctl::kDpiSlider, "50", "26000");
    toolkit->SetValue(ctl::kDpiSlider, 100);
    for (const auto& [hz, code] : std::vector<std::pair<int, int>>{{125, 8}, {250, 4}, {500, 2}, {1000, 1}}) {
      toolkit->AddItem(ctl::kReportRate, Item(std::to_string(hz) + "Hz", code, 0x35D0BA));
    }
    toolkit->SelectData(ctl::kReportRate, 1);
    for (int id = ctl::kPresetColourFirst; id <= ctl::kPresetColourLast; ++id) toolkit->SetColour(id, 0x101010 * id);
    toolkit->SetChecked(ctl::kPresetColourFirst, true);
    toolkit->SetChecked(ctl::kColourSlotFirst, true);
    toolkit->SetRange(ctl::kBrightness, 0, 4);
    toolkit->SetValue(ctl::kBrightness, 2);
    for (int key = 0; key < 3; ++key) {
      ui::ListItem row = Item("Button " + std::to_string(key), key);
      row.detail = "Function";
      row.x = 300 + 80 * key;
      row.y = 120;
      row.x2 = key == 0 ? 120 : 640;
      row.y2 = 120 + 40 * key;
      toolkit->AddItem(ctl::kButtonList, row);
      toolkit->AddItem(ctl::kMousePicture, row);
    }
    test::Settle();
  }

  // Shows the tab of a page, so its widgets have their real geometry.
  void ShowPage(int page) {
    const auto tabs = toolkit->Items(ctl::kTabStrip);
    const int tab = page == ctl::kPerformancePage ? ctl::tab::kPerformance
                    : page == ctl::kButtonsPage   ? ctl::tab::kButtons
                    : page == ctl::kMacroPage     ? ctl::tab::kMacros
                                                  : ctl::tab::kLighting;
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
      if (tabs[i].data == tab) toolkit->SetSelection(ctl::kTabStrip, i);
    }
    test::Settle();
  }

  static void ClickAt(QWidget* widget, QPoint point) { QTest::mouseClick(widget, Qt::LeftButton, {}, point); }
};

struct UserActionCase {
  const char* name;
  int page;
  std::function<void()> act;
  std::vector<Event> expected;
};

TEST_F(FeatureWidgetsTest, UserActionsOnTheFeatureWidgetsDeliverTheirEventCodes) {
  using ui::event::kClick;
  namespace event = ui::event;
  const auto levels = [this] { return As<qt::DpiLevelsWidget>(ctl::kDpiLevels); };
  const auto slider = [this](int id) { return As<qt::CaptionSlider>(id); };
  const std::vector<UserActionCase> cases{
      {"a click on a level chip selects it",
       ctl::kPerformancePage,
       [&] { ClickAt(levels(), levels()->ValueRect(4).center()); },
       {{ctl::kDpiLevels, event::kLevelSelected, 4}}},
      {"a click on a level's swatch asks for its colour",
       ctl::kPerformancePage,
       [&] { ClickAt(levels(), levels()->SwatchRect(1).center()); },
       {{ctl::kDpiLevels, event::kColourSwatch, 1}}},
      {"a value typed into the selected level is committed by Enter",
       ctl::kPerformancePage,
       [&] {
         QTest::keyClick(levels(), Qt::Key_F2);
         ASSERT_NE(levels()->Editor(), nullptr);
         QTest::keyClicks(levels()->Editor(), "1650");
         QTest::keyClick(levels()->Editor(), Qt::Key_Return);
       },
       {{ctl::kDpiLevels, event::kValueTyped, 2}}},
      {"Escape drops a typed value",
       ctl::kPerformancePage,
       [&] {
         QTest::keyClick(levels(), Qt::Key_F2);
         QTest::keyClicks(levels()->Editor(), "99");
         QTest::keyClick(levels()->Editor(), Qt::Key_Escape);
       },
       {}},
      {"a click on a report rate chooses it",
       ctl::kPerformancePage,
       [this] {
         auto* rates = As<qt::RateListWidget>(ctl::kReportRate);
         ClickAt(rates, rates->SegmentRect(2).center());
       },
       {{ctl::kReportRate, kClick, 2}}},
      {"a click on the slider's track is a short drag",
       ctl::kPerformancePage,
       [&] { ClickAt(slider(ctl::kDpiSlider), slider(ctl::kDpiSlider)->HandleCentre(390)); },
       {{ctl::kDpiSlider, event::kSliderMoving, 390}, {ctl::kDpiSlider, kClick, 390}}},
      {"a drag of the slider's handle moves, then releases",
       ctl::kPerformancePage,
       [&] {
         qt::CaptionSlider* dpi = slider(ctl::kDpiSlider);
         QTest::mousePress(dpi, Qt::LeftButton, {}, dpi->HandleCentre(100));
         QMouseEvent move(QEvent::MouseMove, dpi->HandleCentre(130), dpi->mapToGlobal(dpi->HandleCentre(130)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(dpi, &move);
         QTest::mouseRelease(dpi, Qt::LeftButton, {}, dpi->HandleCentre(130));
       },
       {{ctl::kDpiSlider, event::kSliderMoving, 130}, {ctl::kDpiSlider, kClick, 130}}},
      {"a key step on the slider counts as a release",
       ctl::kPerformancePage,
       [&] { QTest::keyClick(slider(ctl::kDpiSlider), Qt::Key_Right); },
       {{ctl::kDpiSlider, kClick, 101}}},
      {"a wheel step on the slider counts as a release",
       ctl::kPerformancePage,
       [&] {
         qt::CaptionSlider* dpi = slider(ctl::kDpiSlider);
         const QPoint at = dpi->HandleCentre(300);
         QWheelEvent wheel(at, dpi->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                           false);
         QApplication::sendEvent(dpi, &wheel);
       },
       {{ctl::kDpiSlider, kClick, 100 + QApplication::wheelScrollLines()}}},
      {"the lighting sliders take key steps alike",
       ctl::kLightingPage,
       [&] { QTest::keyClick(slider(ctl::kBrightness), Qt::Key_End); },
       {{ctl::kBrightness, kClick, 4}}},
      {"the response time field takes digits only",
       ctl::kPerformancePage,
       [this] {
         auto* field = As<QLineEdit>(ctl::kResponseTime);
         QTest::keyClicks(field, "a5");
         QTest::keyClick(field, Qt::Key_Return);
       },
       {{ctl::kResponseTime, event::kTextChanged, 0}, {ctl::kResponseTime, kClick, 0}}},
      {"a click on a preset colour checks it",
       ctl::kLightingPage,
       [this] { As<qt::ColourButton>(ctl::kPresetColourFirst + 3)->click(); },
       {{ctl::kPresetColourFirst + 3, kClick, 1}}},
      {"a click on a button's row chooses it",
       ctl::kButtonsPage,
       [this] {
         auto* rows = As<qt::ButtonListWidget>(ctl::kButtonList);
         ClickAt(rows, rows->RowRect(2).center());
       },
       {{ctl::kButtonList, kClick, 2}}},
      {"a click on a button's spot chooses it",
       ctl::kButtonsPage,
       [this] {
         auto* picture = As<qt::MousePictureWidget>(ctl::kMousePicture);
         ClickAt(picture, picture->SpotAt(1).toPoint());
       },
       {{ctl::kMousePicture, kClick, 1}}},
      {"a key pressed in the key field is captured by its physical key, Tab included",
       ctl::kButtonsPage,
       [this] {
         auto* field = As<qt::KeyCaptureField>(ctl::kKeyField);
         // X11 and Wayland key code 38 is evdev 30, the key A on a US layout.
         QKeyEvent a(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, 38, 0, 0, "q");
         QApplication::sendEvent(field, &a);
         QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, 23, 0, 0, "\t");
         QApplication::sendEvent(field, &tab);
         EXPECT_EQ(toolkit->KeyName(30), "Q") << "the layout's name for the key";
         EXPECT_EQ(toolkit->GetText(ctl::kKeyField), "") << "the field never types";
       },
       {{ctl::kKeyField, event::kKeyPressed, 30}, {ctl::kKeyField, event::kKeyPressed, 15}}},
      {"a key recording takes the keys from the window's controls and reports presses and releases once",
       ctl::kMacroPage,
       [this] {
         EXPECT_FALSE(toolkit->StartKeyRecording(ctl::kRecord)) << "offscreen, only the window is heard";
         auto* button = As<QAbstractButton>(ctl::kMacroCreate);
         QKeyEvent stray(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, 36, 0, 0, "\r");
         QApplication::sendEvent(button, &stray);  // pressed before the recording began
         QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, 65, 0, 0, " ");
         QApplication::sendEvent(button, &press);
         QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, 65, 0, 0, " ", true);
         QApplication::sendEvent(button, &repeat);
         QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, 65, 0, 0, " ");
         QApplication::sendEvent(button, &release);
         toolkit->StopKeyRecording();
         QApplication::sendEvent(button, &press);
       },
       {{ctl::kRecord, event::kKeyPressed, 57}, {ctl::kRecord, event::kKeyReleased, 57}}},
      {"a right click on a list asks for its menu at the item under the pointer",
       ctl::kMacroPage,
       [this] {
         for (const char* text : {"first", "second"}) toolkit->AddItem(ctl::kEventList, ui::TextItem(text, 0));
         auto* list = As<QListWidget>(ctl::kEventList);
         const QPoint at = list->visualItemRect(list->item(1)).center();
         QContextMenuEvent menu(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
         QApplication::sendEvent(list->viewport(), &menu);
       },
       {{ctl::kEventList, event::kContextMenu, 1}}},
      {"a mouse button pressed on a key field focuses it and is reported by its bits",
       ctl::kButtonsPage,
       [this] {
         auto* field = As<qt::KeyCaptureField>(ctl::kKeyField);
         QTest::mousePress(field, Qt::RightButton, {}, {5, 5});
       },
       {{ctl::kKeyField, event::kCaptureStarted, 0}, {ctl::kKeyField, event::kMouseButtonPressed, 2}}},
      {"a click on the checked slot keeps it checked",
       ctl::kLightingPage,
       [this] {
         ClickAt(As<qt::ColourButton>(ctl::kColourSlotFirst), {15, 15});
       },
       {{ctl::kColourSlotFirst, kClick, 1}}},
  };
  for (const UserActionCase& test_case : cases) {
    SCOPED_TRACE(test_case.name);
    SetUp();  // a fresh window for each case
    ShowPage(test_case.page);
    recorder.events.clear();
    test_case.act();
    EXPECT_EQ(recorder.events, test_case.expected);
  }
}

TEST_F(FeatureWidgetsTest, WhatTheUserChangesIsWhatTheQueriesAnswer) {
  ShowPage(ctl::kPerformancePage);
  auto* levels = As<qt::DpiLevelsWidget>(ctl::kDpiLevels);
  // A double-click: its first press selects the level.
  ClickAt(levels, levels->ValueRect(5).center());
  QTest::mouseDClick(levels, Qt::LeftButton, {}, levels->ValueRect(5).center());
  ASSERT_NE(levels->Editor(), nullptr) << "a double-click opens the value field";
  QTest::keyClicks(levels->Editor(), "2x5k00");  // only the digits get in
  QTest::keyClick(levels->Editor(), Qt::Key_Return);
  EXPECT_EQ(toolkit->Items(ctl::kDpiLevels)[5].text, "2500");
  EXPECT_EQ(toolkit->Items(ctl::kDpiLevels)[5].data, 12800) << "the controller owns the value";
  EXPECT_EQ(recorder.events.back(), Event(ctl::kDpiLevels, ui::event::kValueTyped, 5));
  EXPECT_EQ(toolkit->Selection(ctl::kDpiLevels), 5);

  auto* rates = As<qt::RateListWidget>(ctl::kReportRate);
  ClickAt(rates, rates->SegmentRect(0).center());
  EXPECT_EQ(toolkit->Selection(ctl::kReportRate), 0);

  ShowPage(ctl::kLightingPage);
  As<qt::ColourButton>(ctl::kPresetColourLast)->click();
  EXPECT_TRUE(toolkit->IsChecked(ctl::kPresetColourLast));
  EXPECT_FALSE(toolkit->IsChecked(ctl::kPresetColourFirst)) << "presets exclude each other";
  EXPECT_TRUE(toolkit->IsChecked(ctl::kColourSlotFirst)) << "slots are a group of their own";
}

TEST_F(FeatureWidgetsTest, ToolkitOperationsOnTheFeatureWidgetsRaiseNoEvents) {
  ShowPage(ctl::kPerformancePage);
  recorder.events.clear();
  toolkit->SetItem(ctl::kDpiLevels, 0, Item("450", 450, 0x123456));
  toolkit->SetSelection(ctl::kDpiLevels, 4);
  toolkit->SelectData(ctl::kReportRate, 8);
  toolkit->SetValue(ctl::kDpiSlider, 600);
  toolkit->SetRange(ctl::kDpiSlider, 0, 100);
  toolkit->SetValue(ctl::kBrightness, 3);
  toolkit->SetChecked(ctl::kColourSlotFirst + 2, true);
  toolkit->SetColour(ctl::kColourSlotFirst + 2, 0x00FF80);
  toolkit->SetText(ctl::kLightRed, "12");
  toolkit->SetText(ctl::kResponseTime, "8");
  toolkit->SetColour(ctl::kLightPalette, 0x0000FF);
  toolkit->ClearItems(ctl::kReportRate);
  EXPECT_TRUE(recorder.events.empty());

  EXPECT_EQ(toolkit->Selection(ctl::kDpiLevels), 4);
  EXPECT_EQ(toolkit->Items(ctl::kDpiLevels)[0].colour, 0x123456);
  EXPECT_EQ(toolkit->Value(ctl::kDpiSlider), 100);
  EXPECT_EQ(toolkit->Value(ctl::kBrightness), 3);
  EXPECT_EQ(toolkit->Colour(ctl::kColourSlotFirst + 2), 0x00FF80);
  EXPECT_EQ(As<qt::ColourButton>(ctl::kColourSlotFirst + 2)->Colour(), 0x00FF80);
  EXPECT_FALSE(toolkit->IsChecked(ctl::kColourSlotFirst));
  EXPECT_EQ(toolkit->Selection(ctl::kReportRate), -1);
  EXPECT_EQ(As<qt::RateListWidget>(ctl::kReportRate)->Count(), 0);
}

// An exclusive group would keep its checked button; the program must be
// able to leave a group with nothing checked (a colour that is no preset).
TEST_F(FeatureWidgetsTest, UncheckingTheCheckedChoiceOfAGroupLeavesNoneChecked) {
  for (const auto& [first, second] : {std::pair{ctl::kPresetColourFirst, ctl::kPresetColourFirst + 1},
                                      std::pair{ctl::kLiftOff1mm, ctl::kLiftOff2mm}}) {
    SCOPED_TRACE(first);
    toolkit->SetChecked(first, true);
    toolkit->SetChecked(first, false);
    EXPECT_FALSE(toolkit->IsChecked(first));
    toolkit->SetChecked(second, true);
    EXPECT_TRUE(toolkit->IsChecked(second));
    EXPECT_FALSE(toolkit->IsChecked(first)) << "the group is exclusive again";
  }
  EXPECT_TRUE(recorder.events.empty());
}

TEST_F(QtToolkitTest, TheTitleBarsContextMenuAsksForTheAboutBox) {
  toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
  test::Settle();
  QString offered;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    offered = menu->actions()[0]->text();
    menu->actions()[0]->trigger();
    menu->close();
  });
  QWidget* title_bar = toolkit->Widget(ctl::kCaptionArea1);
  QContextMenuEvent right_click(QContextMenuEvent::Mouse, {200, 20}, title_bar->mapToGlobal(QPoint(200, 20)));
  QApplication::sendEvent(title_bar, &right_click);
  test::Settle();
  EXPECT_EQ(offered.toStdString(), toolkit->Text()(669));
  EXPECT_EQ(recorder.message_wparams,
            (std::vector<std::pair<int, std::int64_t>>{{ui::msg::kCommand, ui::command::kAbout}}));
}

}  // namespace
}  // namespace korvane
