#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "controller_fixture.hpp"
#include "sim/state_json.hpp"
#include "support/file_bytes.hpp"
#include "support/http_server.hpp"
#include "support/update_resources.hpp"
#include "support/zip_writer.hpp"
#include "ui/message_box.hpp"

namespace korvane::test {
namespace {

using namespace ui::ctl;

// The controller against update servers on loopback: the resources are a
// copy whose addresses point there.
class UpdatePageTest : public ControllerTest {
 protected:
  void SetUp() override {
    resources = ResourcesWithUpdateServer(home / "resources", server.BaseUrl());
    ControllerTest::SetUp();
    for (const int control : {kFirmwareOffer, kSoftwareOffer, kUpgradeFirmware, kInstallSoftware}) {
      toolkit.AddControl(control);
    }
  }

  // Publishes a zip holding one file, with its digest (or a wrong one).
  void Publish(const std::string& path, const std::string& name, const std::string& bytes, bool right_digest = true) {
    WriteZip(home / "package.zip", {{name, bytes}});
    const std::string zip = ReadFileBytes(home / "package.zip");
    server.Serve(path, zip);
    server.Serve(path + ".sha256", Sha256Of(right_digest ? zip : "other") + "  package.zip\n");
  }

  // The next question is answered with confirm.
  void ConfirmNextQuestion() {
    toolkit.ScriptModal(ui::WindowId::kMessageBox, [this] {
      toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
    });
  }

  bool WindowShown(ui::WindowId window) const { return toolkit.Window(window).state != ui::WindowState::kHidden; }

  LoopbackHttpServer server;
};

TEST_F(UpdatePageTest, FirmwareCheckAsksAndTheUpgradeReachesTheMouseWhole) {
  // The virtual mouse's release is 0x0105, shown as 105; the server offers 106.
  std::string image(1000, '\0');
  std::iota(image.begin(), image.end(), '\1');
  server.Serve("/firmware/korvane_arc_8k/mouse/version", "106");
  Publish("/firmware/korvane_arc_8k/mouse/firmware-106.zip", "firmware     -106.bin", image);
  ConfirmNextQuestion();
  Connect("korvane_arc_8k");
  Drain();

  ASSERT_FALSE(toolkit.ModalRuns().empty());
  EXPECT_EQ(toolkit.ModalRuns().front(), ui::WindowId::kMessageBox);
  const sim::MouseState state = bus.State(mouse);
  EXPECT_TRUE(state.update.finished);
  EXPECT_EQ(state.update.crc_errors, 0u);
  std::string padded = image;
  padded.resize(1008, '\xFF');
  EXPECT_EQ(sim::StateToJson(state)["firmware"]["sha256"], Sha256Of(padded));

  // The window shows the last step until it closes a moment later.
  EXPECT_TRUE(WindowShown(ui::WindowId::kUpgradeProgress));
  EXPECT_EQ(toolkit.GetText({ui::WindowId::kUpgradeProgress, upgrade_window::kText}), Text(593) + ": 100%");
  toolkit.Advance(std::chrono::milliseconds(600));
  EXPECT_FALSE(WindowShown(ui::WindowId::kUpgradeProgress));
  EXPECT_FALSE(std::filesystem::exists(home / "data" / "temp" / "firmware     -106.bin"));
}

TEST_F(UpdatePageTest, AnOfferIsShownAndAFailedUpgradeIsTold) {
  server.Serve("/firmware/korvane_arc_8k/mouse/version", "106");
  // The package's digest does not match: nothing is flashed.
  Publish("/firmware/korvane_arc_8k/mouse/firmware-106.zip", "firmware     -106.bin", "image", false);
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [this] {
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kCancel});
  });
  Connect("korvane_arc_8k");
  EXPECT_EQ(toolkit.GetText(kFirmwareOffer), Text(582) + ": V1.06");
  EXPECT_TRUE(toolkit.IsEnabled(kUpgradeFirmware));
  EXPECT_FALSE(bus.State(mouse).update.started);

  ConfirmNextQuestion();
  EXPECT_TRUE(toolkit.Click(kUpgradeFirmware));
  Drain();
  EXPECT_FALSE(bus.State(mouse).update.started);
  EXPECT_FALSE(WindowShown(ui::WindowId::kUpgradeProgress));
  EXPECT_EQ(ShownTitle(), Text(753));
  EXPECT_EQ(ShownMessage(), Text(755));
}

TEST_F(UpdatePageTest, NoNewerFirmwareIsOfferedNothing) {
  server.Serve("/firmware/korvane_arc_8k/mouse/version", "99");
  Connect("korvane_arc_8k");
  EXPECT_EQ(toolkit.GetText(kFirmwareOffer), Text(580));
  EXPECT_FALSE(toolkit.IsEnabled(kUpgradeFirmware));
  EXPECT_TRUE(toolkit.ModalRuns().empty());
}

TEST_F(UpdatePageTest, TwoOffersAreAskedOneAfterTheOther) {
  stand_in_software_check = false;
  server.Serve("/firmware/korvane_arc_8k/mouse/version", "106");
  server.Serve("/center/version", "1.0.2");
  std::vector<std::string> titles;
  // The software check's answer arrives while the firmware question is open.
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    titles.push_back(ShownTitle());
    EXPECT_TRUE(PumpUntil([&] { return Ran(kTaskCheckSoftware); }));
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kCancel});
  });
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    titles.push_back(ShownTitle());
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kCancel});
  });
  Connect("korvane_arc_8k");
  EXPECT_EQ(titles, (std::vector<std::string>{Text(551), Text(581)}));
}

TEST_F(UpdatePageTest, ASoftwareUpdateIsDownloadedAndHandedToTheDesktop) {
  stand_in_software_check = false;
  server.Serve("/center/version", "1.0.2");
  Publish("/center/Mouse-Setup-1.0.2.zip", "Mouse-Setup-1.0.2.deb", "installer");
  ConfirmNextQuestion();
  Start();
  Drain();
  Drain();
  ASSERT_EQ(opened_installers.size(), 1u);
  EXPECT_EQ(opened_installers[0], home / "data" / "temp" / "Mouse-Setup-1.0.2.deb");
  EXPECT_EQ(ReadFileBytes(opened_installers[0]), "installer");
  EXPECT_EQ(toolkit.ExitCode(), 0);
  EXPECT_FALSE(WindowShown(ui::WindowId::kDownloadProgress));
}

TEST_F(UpdatePageTest, AWrongDigestInstallsNothingAndSaysWhy) {
  stand_in_software_check = false;
  server.Serve("/center/version", "1.0.2");
  Publish("/center/Mouse-Setup-1.0.2.zip", "Mouse-Setup-1.0.2.deb", "installer", false);
  ConfirmNextQuestion();
  Start();
  Drain();
  Drain();
  EXPECT_TRUE(opened_installers.empty());
  EXPECT_FALSE(toolkit.ExitCode().has_value());
  EXPECT_EQ(ShownMessage(), Text(755));
  EXPECT_EQ(toolkit.GetText(kSoftwareOffer), Text(582) + ": v1.0.2");
  EXPECT_TRUE(toolkit.IsEnabled(kInstallSoftware));
}

}  // namespace
}  // namespace korvane::test
