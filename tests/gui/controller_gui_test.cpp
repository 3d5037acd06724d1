// The desktop program as a user sees it: the real main window driven by the
// controller against an in-process virtual mouse (a receiver with its mouse
// linked), with screenshots of home, the device pages and the settings page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "app/device_main_dlg.hpp"
#include "frontend/qt/rate_list_widget.hpp"
#include "gui_fixture.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "ui/control_ids.hpp"
#include "ui/event_codes.hpp"
#include "ui/window_messages.hpp"

namespace korvane {
namespace {

namespace ctl = ui::ctl;

class ControllerGuiTest : public test::GuiTest {
 protected:
  sim::VirtualBus bus;
  std::unique_ptr<DeviceMainDlg> controller;
  std::vector<sim::VirtualBus::DeviceId> ids;

  // Plugs the preset's devices and starts the controller with the window shown.
  void Start(sim::Preset preset, std::optional<std::string> model = {}) {
    // Start-up makes the settings databases' folder before the window opens.
    std::filesystem::create_directories(context->DatabaseFolder());
    sim::PresetOptions options;
    options.preset = preset;
    options.model = std::move(model);
    for (sim::VirtualDevice& device : sim::BuildPreset(KORVANE_SOURCE_DATA, options).devices) {
      ids.push_back(bus.Add(device));
    }
    controller = std::make_unique<DeviceMainDlg>(*toolkit, *context, bus, &bus,
                                                 ControllerOptions{home / "autostart", "korvane"});
    toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
    controller->OnInitDialog();
  }

  void TearDown() override {
    if (controller) controller->Shutdown();
    for (const auto id : bus.Devices()) bus.Unplug(id);
  }

  // Waits for the mouse, then opens its device pages from the device list.
  void OpenDevicePages() {
    ASSERT_TRUE(WaitFor([&] { return toolkit->OnlineDeviceCount(ctl::kDeviceList) == 1; }));
    const int type = controller->State().current_type;
    const auto items = toolkit->Items(ctl::kDeviceList);
    int index = -1;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].data == type) index = static_cast<int>(i);
    }
    ASSERT_GE(index, 0);
    toolkit->SetSelection(ctl::kDeviceList, index);
    ASSERT_TRUE(controller->OnControlEvent(ctl::kDeviceList, 2, index));
  }

  int TabIndex(int item) const {
    const auto tabs = toolkit->Items(ctl::kTabStrip);
    for (std::size_t i = 0; i < tabs.size(); ++i) {
      if (tabs[i].data == item) return static_cast<int>(i);
    }
    return -1;
  }

  // Lets Qt run the worker's posted events until the condition holds or 5 s pass.
  template <typename Condition>
  bool WaitFor(Condition condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
      if (timer.elapsed() > 5000) return false;
      QApplication::processEvents();
      QThread::msleep(5);
    }
    test::Settle();
    return true;
  }

  void Capture(const QString& name) {
    test::Settle();
    ASSERT_TRUE(toolkit->MainWindow()->grab().save(test::ScreenshotPath(name))) << name.toStdString();
  }

  // Runs open (which shows a menu or a modal window and returns when it
  // closes) and captures the main window with that window drawn over it,
  // then closes it.
  void CaptureOver(const QString& name, const std::function<void()>& open) {
    QTimer::singleShot(200, [&] {
      QWidget* window = toolkit->MainWindow();
      QWidget* shown =
          QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
      ASSERT_NE(shown, nullptr) << name.toStdString();
      QPixmap picture = window->grab();
      QPainter painter(&picture);
      painter.drawPixmap(shown->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)), shown->grab());
      painter.end();
      EXPECT_TRUE(picture.save(test::ScreenshotPath(name)));
      shown->close();
    });
    open();
    test::Settle();
  }
};

TEST_F(ControllerGuiTest, ShowsTheVirtualMouseOnlineAndOpensItsPages) {
  Start(sim::Preset::kReceiver);
  ASSERT_TRUE(WaitFor([&] { return toolkit->OnlineDeviceCount(ctl::kDeviceList) == 1; }));
  Capture("controller_home_online");
  OpenDevicePages();
  EXPECT_EQ(toolkit->GetText(ctl::kConnectionState), context->Language().GetText(52));
  EXPECT_TRUE(toolkit->IsVisible(ctl::kTabStrip));
  // The selection refresh the receiver asks for names the current profile.
  EXPECT_TRUE(WaitFor([&] { return toolkit->GetText(ctl::kProfileButton) == context->Language().GetText(61) + " 1"; }));
  Capture("controller_device_pages");
  const int device_tab = static_cast<int>(toolkit->Items(ctl::kTabStrip).size()) - 1;
  ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, device_tab));
  Capture("controller_device_info");

  // The mouse leaves the receiver: the device pages give way to home.
  bus.Unlink(ids.back());
  ASSERT_TRUE(WaitFor([&] { return !toolkit->IsVisible(ctl::kTabStrip); }));
  EXPECT_EQ(toolkit->GetText(ctl::kConnectionState), context->Language().GetText(50));
  Capture("controller_mouse_unlinked");

  ASSERT_TRUE(controller->OnControlEvent(ctl::kSettings, 2, 0));
  Capture("controller_settings");
}

// The performance and lighting pages of three models: every section (sensor
// 150, all report rates, lighting), another sensor row with four rates, and
// a model without lighting whose lift-off section is hidden.
TEST_F(ControllerGuiTest, PerformanceAndLightingPagesFollowTheModel) {
  struct Case {
    const char* model;
    bool lighting;
    bool lift_off;
  };
  for (const Case& c : {Case{"korvane_arc_8k", true, true}, Case{"korvane_arc_mini", true, true},
                        Case{"korvane_slate", false, false}}) {
    SCOPED_TRACE(c.model);
    if (controller) {
      controller->Shutdown();
      controller.reset();
      for (const auto id : bus.Devices()) bus.Unplug(id);
    }
    Start(sim::Preset::kWired, c.model);
    OpenDevicePages();
    ASSERT_TRUE(WaitFor([&] { return !toolkit->Items(ctl::kReportRate).empty(); }));
    ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, TabIndex(ctl::tab::kPerformance)));
    EXPECT_EQ(toolkit->IsVisible(ctl::kLiftOffSection), c.lift_off);
    Capture(QString("performance_%1").arg(c.model));
    const int lighting_tab = TabIndex(ctl::tab::kLighting);
    EXPECT_EQ(toolkit->Items(ctl::kLightMode).empty(), !c.lighting);
    if (!c.lighting) continue;
    ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, lighting_tab));
    Capture(QString("lighting_%1").arg(c.model));
    // The seven-slot mode shows every colour control.
    const auto modes = toolkit->Items(ctl::kLightMode);
    for (std::size_t i = 0; i < modes.size(); ++i) {
      if (modes[i].data != 2) continue;
      toolkit->SetSelection(ctl::kLightMode, static_cast<int>(i));
      ASSERT_TRUE(controller->OnControlEvent(ctl::kLightMode, 2, static_cast<int>(i)));
      Capture(QString("lighting_%1_slots").arg(c.model));
    }
  }
}

// The buttons page of the three models: the list and the spots name the
// same buttons; the key combination panel opens for a chosen button; the
// page follows a language switch.
TEST_F(ControllerGuiTest, ButtonsPageFollowsTheModelAndTheLanguage) {
  for (const char* model : {"korvane_arc_8k", "korvane_arc_mini", "korvane_slate"}) {
    SCOPED_TRACE(model);
    if (controller) {
      controller->Shutdown();
      controller.reset();
      for (const auto id : bus.Devices()) bus.Unplug(id);
    }
    Start(sim::Preset::kWired, model);
    OpenDevicePages();
    ASSERT_TRUE(WaitFor([&] { return !toolkit->Items(ctl::kButtonList).empty(); }));
    ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, TabIndex(ctl::tab::kButtons)));
    EXPECT_EQ(toolkit->Items(ctl::kMousePicture).size(), toolkit->Items(ctl::kButtonList).size());
    Capture(QString("buttons_%1").arg(model));
    ASSERT_TRUE(controller->OnControlEvent(ctl::kButtonList, 2, 1));
    ASSERT_TRUE(controller->OnControlEvent(ctl::kOpenKeyCapture, 2, 0));
    EXPECT_TRUE(toolkit->IsVisible(ctl::kKeyPanel));
    toolkit->SetChecked(ctl::kModifierCtrl, true);
    toolkit->SetText(ctl::kKeyField, "F13");
    Capture(QString("buttons_%1_key_panel").arg(model));
  }
  const auto languages = toolkit->Items(ctl::kLanguageList);
  for (std::size_t i = 0; i < languages.size(); ++i) {
    if (languages[i].data != 1049) continue;
    toolkit->SetSelection(ctl::kLanguageList, static_cast<int>(i));
    ASSERT_TRUE(controller->OnControlEvent(ctl::kLanguageList, 2, static_cast<int>(i)));
  }
  ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, TabIndex(ctl::tab::kButtons)));
  EXPECT_EQ(toolkit->GetText(ctl::kFunctionTitle), context->Language().GetText(732));
  ASSERT_TRUE(controller->OnControlEvent(ctl::kButtonList, 2, 2));
  ASSERT_TRUE(controller->OnControlEvent(ctl::kOpenRepeatPanel, 2, 0));
  Capture("buttons_1049");
}

// The macro page empty, while recording (the offscreen desktop lets the
// program hear only its own window, which the page says), with the recorded
// macro, and with the event editor open on a key.
TEST_F(ControllerGuiTest, MacroPageRecordsAndEditsEvents) {
  Start(sim::Preset::kWired, "korvane_arc_8k");
  OpenDevicePages();
  ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, TabIndex(ctl::tab::kMacros)));
  Capture("macro_empty");
  ASSERT_TRUE(controller->OnControlEvent(ctl::kMacroCreate, 2, 0));
  ASSERT_TRUE(controller->OnControlEvent(ctl::kRecord, 2, 0));
  EXPECT_TRUE(toolkit->IsVisible(ctl::kRecordNotice));
  constexpr int kEvdevShift = 42;
  constexpr int kEvdevK = 37;
  for (const auto& [event, key] :
       {std::pair{ui::event::kKeyPressed, kEvdevShift}, std::pair{ui::event::kKeyPressed, kEvdevK},
        std::pair{ui::event::kKeyReleased, kEvdevK}, std::pair{ui::event::kKeyReleased, kEvdevShift}}) {
    ASSERT_TRUE(controller->OnControlEvent(ctl::kRecord, event, key));
  }
  Capture("macro_recording");
  ASSERT_TRUE(controller->OnControlEvent(ctl::kRecord, 2, 0));
  EXPECT_FALSE(toolkit->IsVisible(ctl::kRecordNotice));
  EXPECT_EQ(toolkit->GetText(ctl::kEncodedEvents), "Mouse steps: 4 of 101");
  Capture("macro_recorded");
  toolkit->SetSelection(ctl::kEventList, 2);
  ASSERT_TRUE(controller->OnControlEvent(ctl::kEventList, 2, 2));
  EXPECT_TRUE(toolkit->IsVisible(ctl::kEventKeyField));
  Capture("macro_editor");
  CaptureOver("macro_step_editor", [&] { controller->OnWindowMessage(ui::msg::kInsertMenuCommand, 101, 0); });
}

// Where files come in and go out: the macro list's menu and the profile
// pop-up with its import and export buttons.
TEST_F(ControllerGuiTest, MacroListMenuAndProfilePopUpOfferTheFiles) {
  Start(sim::Preset::kWired, "korvane_arc_8k");
  OpenDevicePages();
  ASSERT_TRUE(controller->OnControlEvent(ctl::kTabStrip, 2, TabIndex(ctl::tab::kMacros)));
  ASSERT_TRUE(controller->OnControlEvent(ctl::kMacroCreate, 2, 0));
  QWidget* list = toolkit->Widget(ctl::kMacroList);
  QCursor::setPos(list->mapToGlobal(QPoint(60, 24)));
  CaptureOver("macro_list_menu", [&] { controller->OnControlEvent(ctl::kMacroList, ui::event::kContextMenu, 0); });
  CaptureOver("profile_popup", [&] { controller->OnControlEvent(ctl::kProfileButton, 2, 0); });
}

// The whole window by keyboard alone, as a user without a mouse works it:
// Tab to the connected model's card and open it with Enter, then on every
// page Tab once round every control (which must be on screen and must write
// nothing to the mouse), Ctrl+Tab to the next page, and on the performance
// page choose another report rate with the arrow keys and Space. The pages
// are saved as screenshots (keyboard_<language>_<page>); KORVANE_TEST_LANGUAGE
// picks the language (English by default).
TEST_F(ControllerGuiTest, TheKeyboardAloneReachesEveryPageAndChangesASetting) {
  const int lcid = qEnvironmentVariableIntValue("KORVANE_TEST_LANGUAGE")
                       ? qEnvironmentVariableIntValue("KORVANE_TEST_LANGUAGE")
                       : 1033;
  context->Language().SwitchLanguage(lcid);
  Start(sim::Preset::kReceiver);
  QWidget* window = toolkit->MainWindow();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  ASSERT_TRUE(WaitFor([&] { return toolkit->OnlineDeviceCount(ctl::kDeviceList) == 1; }));
  const auto focused = [] { return QApplication::focusWidget(); };
  const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(focused() ? focused() : window, static_cast<Qt::Key>(key), modifiers);
    test::Settle();
  };
  const auto tab_to = [&](const std::function<bool(const QWidget*)>& wanted) {
    for (int presses = 0; presses < 300; ++presses) {
      if (focused() && wanted(focused())) return true;
      press(Qt::Key_Tab);
    }
    return false;
  };
  const auto save_tip_shown = [&] {
    return toolkit->GetWindowState(ui::WindowId::kSaveTip) != ui::WindowState::kHidden;
  };
  // The offscreen platform activates every window it shows, the saving
  // notice too; a desktop leaves the main window active.
  const auto hide_save_tip = [&] {
    toolkit->ShowWindow(ui::WindowId::kSaveTip, ui::WindowState::kHidden);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  };

  ASSERT_TRUE(tab_to([](const QWidget* widget) {
    const auto* state = widget->findChild<QLabel*>("deviceState");
    return widget->objectName() == "deviceCard" && state && state->property("online").toBool();
  }));
  press(Qt::Key_Return);
  ASSERT_TRUE(WaitFor([&] { return toolkit->IsVisible(ctl::kTabStrip) && !toolkit->Items(ctl::kReportRate).empty(); }));
  hide_save_tip();

  auto* pages = window->findChild<QStackedWidget*>("pageArea");
  const std::vector<int> device_pages{ctl::kButtonsPage, ctl::kPerformancePage, ctl::kMacroPage, ctl::kLightingPage,
                                      ctl::kDeviceInfoPage};
  for (const int page_id : device_pages) {
    QWidget* page = toolkit->Widget(page_id);
    SCOPED_TRACE(page_id);
    ASSERT_TRUE(page->isVisible()) << "Ctrl+Tab leads from page to page";
    auto* scroll = qobject_cast<QScrollArea*>(page->parentWidget()->parentWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0) << "the page fits the window's width";
    QWidget* first = focused();
    ASSERT_NE(first, nullptr);
    int on_page = 0;
    for (int presses = 0; presses < 300; ++presses) {
      press(Qt::Key_Tab);
      QWidget* stop = focused();
      ASSERT_NE(stop, nullptr);
      if (stop == first) break;
      EXPECT_TRUE(stop->isVisible()) << stop->metaObject()->className();
      const QRect shown(stop->mapTo(window, QPoint(0, 0)), stop->size());
      EXPECT_TRUE(window->rect().intersects(shown)) << stop->metaObject()->className() << " is off the window";
      if (page->isAncestorOf(stop)) ++on_page;
    }
    EXPECT_EQ(focused(), first) << "Tab goes round the window";
    EXPECT_GT(on_page, 0) << "the page's controls take the focus";
    EXPECT_FALSE(save_tip_shown()) << "tabbing through the controls changed a setting";
    Capture(QString("keyboard_%1_page_%2").arg(lcid).arg(page_id));

    if (page_id == ctl::kPerformancePage) {
      auto* rates = qobject_cast<qt::RateListWidget*>(toolkit->Widget(ctl::kReportRate));
      ASSERT_TRUE(tab_to([&](const QWidget* widget) { return widget == rates; }));
      const int before = rates->Selection();
      press(before + 1 < rates->Count() ? Qt::Key_Right : Qt::Key_Left);
      EXPECT_EQ(rates->Selection(), before) << "moving the cursor chooses nothing";
      press(Qt::Key_Space);
      EXPECT_NE(rates->Selection(), before);
      EXPECT_TRUE(WaitFor(save_tip_shown)) << "the chosen rate goes to the mouse";
      hide_save_tip();
    }
    if (page_id == ctl::kDeviceInfoPage) {
      press(Qt::Key_PageUp, Qt::ControlModifier);
      EXPECT_TRUE(toolkit->Widget(ctl::kLightingPage)->isVisible()) << "Ctrl+PgUp steps back";
      press(Qt::Key_PageDown, Qt::ControlModifier);
      EXPECT_TRUE(page->isVisible()) << "Ctrl+PgDown steps on";
    }
    press(Qt::Key_Tab, Qt::ControlModifier);
  }
  EXPECT_TRUE(pages->currentWidget()->isAncestorOf(toolkit->Widget(ctl::kHomePage)))
      << "after the last page Ctrl+Tab comes round to home";
}

}  // namespace
}  // namespace korvane
