// The desktop program as a user sees it: the real main window driven by the
// controller against an in-process virtual mouse (a receiver with its mouse
// linked), with screenshots of home, the device pages and the settings page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include "app/device_main_dlg.hpp"
#include "gui_fixture.hpp"
#include "sim/presets.hpp"
#include "sim/virtual_bus.hpp"
#include "ui/control_ids.hpp"

namespace korvane {
namespace {

namespace ctl = ui::ctl;

class ControllerGuiTest : public test::GuiTest {
 protected:
  sim::VirtualBus bus;
  std::unique_ptr<DeviceMainDlg> controller;
  std::vector<sim::VirtualBus::DeviceId> ids;

  void SetUp() override {
    GuiTest::SetUp();
    // Start-up makes the settings databases' folder before the window opens.
    std::filesystem::create_directories(context->DatabaseFolder());
    sim::PresetOptions options;
    options.preset = sim::Preset::kReceiver;
    for (sim::VirtualDevice& device : sim::BuildPreset(KORVANE_SOURCE_DATA, options).devices) {
      ids.push_back(bus.Add(device));
    }
    controller = std::make_unique<DeviceMainDlg>(*toolkit, *context, bus, &bus,
                                                 ControllerOptions{home / "autostart", "korvane"});
    toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
    controller->OnInitDialog();
  }

  void TearDown() override {
    controller->Shutdown();
    for (const auto id : bus.Devices()) bus.Unplug(id);
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
};

TEST_F(ControllerGuiTest, ShowsTheVirtualMouseOnlineAndOpensItsPages) {
  ASSERT_TRUE(WaitFor([&] { return toolkit->OnlineDeviceCount(ctl::kDeviceList) == 1; }));
  const int type = controller->State().current_type;
  Capture("controller_home_online");

  const auto items = toolkit->Items(ctl::kDeviceList);
  int index = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].data == type) index = static_cast<int>(i);
  }
  ASSERT_GE(index, 0);
  toolkit->SetSelection(ctl::kDeviceList, index);
  ASSERT_TRUE(controller->OnControlEvent(ctl::kDeviceList, 2, index));
  EXPECT_EQ(toolkit->GetText(ctl::kConnectionState), context->Language().GetText(52));
  EXPECT_TRUE(toolkit->IsVisible(ctl::kTabStrip));
  // The selection refresh the receiver asks for names the current profile.
  EXPECT_TRUE(WaitFor([&] { return toolkit->GetText(ctl::kProfileButton) == context->Language().GetText(61) + "  1"; }));
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

}  // namespace
}  // namespace korvane
