// QtToolkit as the program relies on it: user actions arrive as (control,
// event, parameter), the toolkit's own changes raise none, posted work runs on
// the GUI thread, and queries answer what was set.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QStackedWidget>
#include <QThread>
#include <chrono>
#include <thread>
#include <tuple>
#include <vector>

#include "gui_fixture.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"

namespace korvane {
namespace {

namespace ctl = ui::ctl;
using Event = std::tuple<int, int, std::int64_t>;

class Recorder final : public ui::WindowHandler {
 public:
  std::vector<Event> events;
  std::vector<int> messages;
  bool OnControlEvent(int control, int event, std::int64_t param) override {
    events.emplace_back(control, event, param);
    return true;
  }
  std::int64_t OnWindowMessage(int message, std::int64_t, std::int64_t) override {
    messages.push_back(message);
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
  auto* pages = qobject_cast<QStackedWidget*>(toolkit->Widget(ctl::kHomePage)->parentWidget());
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->currentWidget(), toolkit->Widget(ctl::kDeviceInfoPage));
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

}  // namespace
}  // namespace korvane
