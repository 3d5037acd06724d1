#include <algorithm>
#include <fstream>
#include <sstream>

#include "catalog/current_model.hpp"
#include "common/text_ids.hpp"
#include "controller_fixture.hpp"
#include "platform/application_id.hpp"
#include "store/profile_table.hpp"
#include "ui/event_codes.hpp"
#include "ui/message_box.hpp"
#include "ui/window_messages.hpp"

namespace korvane::test {
namespace {

using namespace ui::ctl;

TEST_F(ControllerTest, FirstStartStoresModel101AndShowsHome) {
  context->Settings().WriteAppSetting("DeviceType", "201");
  Start();
  // No mouse is plugged, so the scan keeps the first model.
  EXPECT_EQ(GetCurrentType(context->Settings()), 101);
  EXPECT_EQ(toolkit.Selection(kTabStrip), 0);
  EXPECT_FALSE(toolkit.IsVisible(kTabBackground));
  EXPECT_TRUE(toolkit.HasTrayIcon());
  EXPECT_EQ(toolkit.Items(kDeviceList).size(), controller->Catalog().models.size());
  EXPECT_EQ(toolkit.GetText(kConnectionState), Text(50));
}

TEST_F(ControllerTest, PickingAModelOpensTheDevicePagesWithItsConnection) {
  struct Case {
    sim::Preset preset;
    int status;
    bool selection_task;
  };
  for (const Case& c : {Case{sim::Preset::kWired, 51, false}, Case{sim::Preset::kReceiver, 52, true}}) {
    SCOPED_TRACE(static_cast<int>(c.preset));
    TearDown();
    controller.reset();
    finished.clear();
    Plug(c.preset);
    Start();
    Drain();
    const int type = controller->State().current_type;
    ASSERT_TRUE(toolkit.State(kDeviceList).device_online.count({type, c.preset == sim::Preset::kWired ? 0 : 1}));
    finished.clear();

    ASSERT_TRUE(toolkit.Choose(kDeviceList, ListIndexOf(type)));
    Drain();
    EXPECT_EQ(toolkit.GetText(kConnectionState), Text(c.status));
    EXPECT_EQ(Ran(kTaskSelectDevice), c.selection_task);
    EXPECT_EQ(toolkit.Selection(kTabStrip), 1);
    EXPECT_TRUE(toolkit.IsVisible(kTabStrip));
    EXPECT_TRUE(toolkit.IsVisible(kProfileButton));
    EXPECT_EQ(toolkit.GetText(kProfileButton), Text(61) + " 1");
    for (const auto id : bus.Devices()) bus.Unplug(id);
  }
}

// With a wired mouse of one model and a receiver of another, picking the
// receiver's model right after the wired one opens it as a receiver, before
// the rescan has made the receiver the current interface.
TEST_F(ControllerTest, PickingAModelTakesTheConnectionModeOfItsRow) {
  Plug(sim::Preset::kWired, "korvane_arc_8k");
  Plug(sim::Preset::kReceiver, "korvane_arc_mini");
  Start();
  Drain();
  ASSERT_TRUE(toolkit.Choose(kDeviceList, ListIndexOf(201)));
  Drain();
  ASSERT_EQ(toolkit.GetText(kConnectionState), Text(51));
  finished.clear();
  ASSERT_TRUE(toolkit.Choose(kDeviceList, ListIndexOf(202)));
  EXPECT_EQ(toolkit.GetText(kConnectionState), Text(52));
  Drain();
  EXPECT_TRUE(Ran(kTaskSelectDevice));
}

TEST_F(ControllerTest, PickingAModelWithoutAMouseTellsSoAndStaysHome) {
  Start();
  ASSERT_TRUE(toolkit.Choose(kDeviceList, 0));
  EXPECT_EQ(ShownTitle(), Text(57));
  EXPECT_EQ(ShownMessage(), Text(56));
  EXPECT_EQ(toolkit.Selection(kTabStrip), 0);
}

TEST_F(ControllerTest, FactoryResetAsksAndQueuesOnlyWhenConfirmedWithAMouse) {
  Start();
  // Without a mouse: a notice and nothing queued.
  EXPECT_TRUE(toolkit.Click(kRestoreDefaults));
  EXPECT_EQ(ShownTitle(), Text(576));
  EXPECT_EQ(ShownMessage(), Text(57));
  Drain();
  EXPECT_FALSE(Ran(kTaskFactoryReset));

  const auto ids = Plug(sim::Preset::kWired);
  controller->OnDeviceChange(ui::device_change::kArrival, ui::device_change::kInterfaceKind,
                             bus.InterfacePath(ids[0], 2));
  Drain();
  ASSERT_TRUE(controller->State().mouse_linked);

  // Refused: nothing.
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kCancel});
  });
  EXPECT_TRUE(toolkit.Click(kSettingsRestoreDefaults));
  EXPECT_EQ(ShownTitle(), Text(570));
  Drain();
  EXPECT_FALSE(Ran(kTaskFactoryReset));

  // Confirmed: the reset runs and the save tip shows.
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
  });
  EXPECT_TRUE(toolkit.Click(kDeviceRestoreDefaults));
  EXPECT_NE(toolkit.GetWindowState(ui::WindowId::kSaveTip), ui::WindowState::kHidden);
  Drain();
  EXPECT_TRUE(Succeeded(kTaskFactoryReset));

  // A model that shows no save tips shows none for the reset either.
  toolkit.ShowWindow(ui::WindowId::kSaveTip, ui::WindowState::kHidden);
  DeviceModel quiet = controller->Model().Get();
  quiet.save_tip_shown = false;
  controller->Model().Set(quiet);
  EXPECT_TRUE(toolkit.Click(kDeviceRestoreDefaults));
  EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kSaveTip), ui::WindowState::kHidden);
  Drain();
}

TEST_F(ControllerTest, AMessageBoxKeepsItsAnswerWhileTheWorkerPostsChanges) {
  Plug(sim::Preset::kWired);
  Start();
  Drain();
  finished.clear();
  toolkit.ScriptModal(ui::WindowId::kMessageBox, [&] {
    controller->Queue().Push(kTaskSelectDevice);
    ASSERT_TRUE(PumpUntil([&] { return Ran(kTaskSelectDevice); }));
    toolkit.Click({ui::WindowId::kMessageBox, message_box::kConfirm});
  });
  EXPECT_TRUE(toolkit.Click(kRestoreDefaults));
  Drain();
  EXPECT_TRUE(Succeeded(kTaskFactoryReset));
}

TEST_F(ControllerTest, UpdateCheckButtons) {
  Start();
  Drain();
  finished.clear();
  // No model is loaded, so there is no firmware address to check.
  EXPECT_TRUE(toolkit.Click(kCheckFirmware));
  EXPECT_EQ(ShownTitle(), Text(551));
  EXPECT_EQ(ShownMessage(), Text(580));
  Drain();
  EXPECT_FALSE(Ran(kTaskCheckFirmware));
  // Both software buttons check the update server.
  for (const int button : {kCheckSoftware, kSettingsCheckSoftware}) {
    finished.clear();
    EXPECT_TRUE(toolkit.Click(button));
    Drain();
    EXPECT_TRUE(Ran(kTaskCheckSoftware));
    EXPECT_FALSE(Ran(kTaskCheckFirmware));
  }
}

TEST_F(ControllerTest, AboutBoxNamesTheProgramAndTheMouseFirmwareOnce) {
  Connect("korvane_arc_8k");
  std::vector<std::string> shown;
  toolkit.ScriptModal(ui::WindowId::kAbout, [&] {
    shown = {toolkit.Window(ui::WindowId::kAbout).title,
             toolkit.GetText({ui::WindowId::kAbout, ui::ctl::about::kDeviceVersion}),
             toolkit.GetText({ui::WindowId::kAbout, ui::ctl::about::kFirmwareVersion})};
  });
  toolkit.PostMessage(ui::WindowId::kMain, ui::msg::kCommand, ui::command::kAbout, 0);
  toolkit.Pump();
  EXPECT_EQ(shown, (std::vector<std::string>{"Korvane Center", "Korvane Center v1.0.1", Text(16) + ": v1.05"}));
}

TEST_F(ControllerTest, LeavingTheSettingsPageWithoutAnInterfaceShowsHome) {
  Start();
  EXPECT_TRUE(toolkit.Click(kSettings));
  EXPECT_TRUE(toolkit.IsVisible(ui::ctl::kSettingsPage));
  EXPECT_FALSE(toolkit.IsVisible(kMaximise));
  EXPECT_TRUE(toolkit.Click(kSettingsReturn));
  EXPECT_FALSE(toolkit.IsVisible(ui::ctl::kSettingsPage));
  EXPECT_TRUE(toolkit.IsVisible(kMaximise));
  EXPECT_TRUE(toolkit.IsVisible(kHomePage));
  EXPECT_EQ(toolkit.Selection(kTabStrip), 0);
  EXPECT_FALSE(toolkit.IsVisible(kTabStrip));
}

TEST_F(ControllerTest, LeavingTheSettingsPageReturnsToTheDevicePageLeft) {
  Connect("korvane_arc_8k");
  const auto tabs = toolkit.Items(kTabStrip);
  const auto performance = std::find_if(tabs.begin(), tabs.end(),
                                        [](const ui::ListItem& tab) { return tab.data == ui::ctl::tab::kPerformance; });
  ASSERT_NE(performance, tabs.end());
  const int index = static_cast<int>(performance - tabs.begin());
  ASSERT_TRUE(toolkit.Choose(kTabStrip, index));
  EXPECT_TRUE(toolkit.Click(kSettings));
  EXPECT_TRUE(toolkit.Click(kSettingsReturn));
  EXPECT_EQ(toolkit.Selection(kTabStrip), index);
  EXPECT_TRUE(toolkit.IsVisible(kTabStrip));
}

TEST_F(ControllerTest, OpeningTheMouseAgainLandsOnThePageLastUsed) {
  Connect("korvane_arc_8k");
  EXPECT_EQ(toolkit.Items(kTabStrip).at(toolkit.Selection(kTabStrip)).data, ui::ctl::tab::kButtons)
      << "the buttons page the first time";
  const auto tabs = toolkit.Items(kTabStrip);
  const auto macros =
      std::find_if(tabs.begin(), tabs.end(), [](const ui::ListItem& tab) { return tab.data == ui::ctl::tab::kMacros; });
  ASSERT_NE(macros, tabs.end());
  const int index = static_cast<int>(macros - tabs.begin());
  ASSERT_TRUE(toolkit.Choose(kTabStrip, index));
  ASSERT_TRUE(toolkit.Choose(kTabStrip, 0));
  ASSERT_FALSE(toolkit.IsVisible(kTabStrip));
  ASSERT_TRUE(toolkit.Choose(kDeviceList, ListIndexOf(controller->State().current_type)));
  EXPECT_EQ(toolkit.Selection(kTabStrip), index);
}

TEST_F(ControllerTest, OnlyInterfaceArrivalsQueueARescan) {
  Start();
  const auto ids = Plug(sim::Preset::kWired);
  const std::string path = bus.InterfacePath(ids[0], 2);
  for (const int kind : {2, 3}) {  // a volume, a port
    controller->OnDeviceChange(ui::device_change::kArrival, kind, path);
  }
  Drain();
  EXPECT_FALSE(Ran(kTaskArrivalScan));
  EXPECT_FALSE(controller->State().mouse_linked);

  controller->OnDeviceChange(ui::device_change::kArrival, ui::device_change::kInterfaceKind, path);
  Drain();
  EXPECT_TRUE(Ran(kTaskArrivalScan));
  EXPECT_TRUE(controller->State().mouse_linked);
  EXPECT_EQ(toolkit.OnlineDeviceCount(kDeviceList), 1);
}

TEST_F(ControllerTest, UnpluggingTheOpenMouseReturnsHome) {
  const auto ids = Plug(sim::Preset::kWired);
  Start();
  Drain();
  ASSERT_TRUE(toolkit.Choose(kDeviceList, ListIndexOf(controller->State().current_type)));
  ASSERT_TRUE(toolkit.IsVisible(kTabStrip));

  // The bus reports the removal on its own thread; it reaches the window
  // through the toolkit's queue.
  bus.Unplug(ids[0]);
  EXPECT_TRUE(PumpUntil([&] { return Ran(kTaskRemovalRefresh); }));
  EXPECT_FALSE(controller->State().mouse_linked);
  EXPECT_EQ(toolkit.Selection(kTabStrip), 0);
  EXPECT_FALSE(toolkit.IsVisible(kTabStrip));
  EXPECT_EQ(toolkit.GetText(kConnectionState), Text(50));
  EXPECT_EQ(toolkit.OnlineDeviceCount(kDeviceList), 0);
}

TEST_F(ControllerTest, UnknownControlsAndCodesAreNotHandled) {
  Start();
  toolkit.AddControl(999);
  EXPECT_FALSE(toolkit.Deliver(999, ui::event::kClick));
  // Click-only controls ignore other codes; "every" controls take them.
  EXPECT_FALSE(toolkit.Deliver(kSettings, ui::event::kTextChanged));
  EXPECT_TRUE(toolkit.Deliver(kKeyField, ui::event::kTextChanged));
  // A feature page takes over its control's events.
  controller->RouteTo(kDpiApply, [&](int, std::int64_t) {
    toolkit.SetText(kDpiApply, "applied");
    return true;
  });
  EXPECT_TRUE(toolkit.Click(kDpiApply));
  EXPECT_EQ(toolkit.GetText(kDpiApply), "applied");
  // A modifier box changes nothing but itself.
  EXPECT_TRUE(toolkit.Click(kModifierCtrl));
  EXPECT_EQ(toolkit.Selection(kTabStrip), 0);
  EXPECT_FALSE(toolkit.IsVisible(ui::ctl::kSettingsPage));
}

TEST_F(ControllerTest, FrameButtonsAndLinks) {
  Start();
  EXPECT_TRUE(toolkit.Click(kMaximise));
  EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kMain), ui::WindowState::kMaximised);
  EXPECT_EQ(toolkit.State(kMaximise).image, "sysbtn_restore.png");
  EXPECT_TRUE(toolkit.Click(kMaximise));
  EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kMain), ui::WindowState::kNormal);
  EXPECT_EQ(toolkit.State(kMaximise).image, "sysbtn_maximize.png");
  EXPECT_TRUE(toolkit.Click(kMinimise));
  EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kMain), ui::WindowState::kMinimised);

  const DeviceCatalog& catalog = controller->Catalog();
  for (const int link : {kWebsite, kFeedback, kQuestions, kWebsiteLink}) toolkit.Click(link);
  EXPECT_EQ(toolkit.OpenedLinks(),
            (std::vector<std::string>{catalog.website_url, catalog.feedback_url, catalog.qa_url, catalog.website_url}));
}

TEST_F(ControllerTest, CloseButtonEndsTheProgramUnlessExitModeHidesToTray) {
  Start();
  EXPECT_TRUE(toolkit.Click(kExitHidesToTray));
  EXPECT_EQ(context->Settings().Read("exit_mode").value, "1");
  toolkit.ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
  EXPECT_TRUE(toolkit.Click(kClose));
  EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kMain), ui::WindowState::kHidden);
  EXPECT_FALSE(toolkit.ExitCode());
  controller->OnWindowMessage(ui::msg::kTrayCallback, 0, ui::tray::kLeftDown);
  EXPECT_EQ(toolkit.GetWindowState(ui::WindowId::kMain), ui::WindowState::kNormal);

  // "exit_mode" absent: the close button ends the program with code 0.
  std::filesystem::remove(context->Settings().Folder() / "settings.ini");
  EXPECT_TRUE(toolkit.Click(kClose));
  EXPECT_EQ(toolkit.ExitCode(), 0);
  EXPECT_FALSE(toolkit.HasTrayIcon());
}

TEST_F(ControllerTest, WithoutATrayTheCloseButtonEndsTheProgramWhateverWasStored) {
  toolkit.SetTrayAvailable(false);
  context->Settings().WriteAppSetting("exit_mode", "1");
  Start();
  EXPECT_FALSE(toolkit.IsVisible(kExitHidesToTray)) << "no tray to hide to";
  EXPECT_TRUE(toolkit.IsChecked(kExitEndsProgram));
  EXPECT_TRUE(toolkit.Click(kClose));
  EXPECT_EQ(toolkit.ExitCode(), 0) << "a hidden window could not be found again";
}

TEST_F(ControllerTest, TrayMenuAndExternalExitEndTheProgram) {
  struct Case {
    int message;
    std::int64_t wparam;
    std::int64_t lparam;
    bool exits;
  };
  for (const Case& c : {Case{ui::msg::kCommand, ui::command::kExit, 0, true},
                        Case{ui::msg::kExternalExit, 0, 610, true}, Case{ui::msg::kExternalExit, 0, 611, false}}) {
    SCOPED_TRACE(c.lparam);
    FakeToolkit fresh;
    DeviceMainDlg dialog(fresh, *context, bus, nullptr, ControllerOptions{home / "autostart", "korvane"});
    fresh.AddTrayIcon("tip");
    dialog.OnWindowMessage(c.message, c.wparam, c.lparam);
    EXPECT_EQ(fresh.ExitCode().has_value(), c.exits);
    EXPECT_EQ(fresh.HasTrayIcon(), !c.exits);
  }
}

TEST_F(ControllerTest, AutostartEntryFollowsTheBoxes) {
  Start();
  const std::filesystem::path entry = home / "autostart" / (std::string(kApplicationId) + ".desktop");
  EXPECT_FALSE(toolkit.IsChecked(kAutostart));
  EXPECT_FALSE(toolkit.IsEnabled(kStartMinimised));
  EXPECT_TRUE(toolkit.IsChecked(kExitEndsProgram));

  EXPECT_TRUE(toolkit.Click(kAutostart));
  std::ifstream in(entry);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_NE(content.str().find("\nExec=/opt/korvane/bin/korvane -autorun\n"), std::string::npos);
  EXPECT_NE(content.str().find(std::string("\nIcon=") + kApplicationId + "\n"), std::string::npos);
  EXPECT_TRUE(toolkit.IsEnabled(kStartMinimised));
  EXPECT_TRUE(toolkit.Click(kStartMinimised));
  EXPECT_EQ(context->Settings().Read("autorun_minimize").value, "1");

  EXPECT_TRUE(toolkit.Click(kAutostart));
  EXPECT_FALSE(std::filesystem::exists(entry));
  EXPECT_EQ(context->Settings().Read("autorun_minimize").value, "0");
  EXPECT_FALSE(toolkit.IsChecked(kStartMinimised));
  EXPECT_FALSE(toolkit.IsEnabled(kStartMinimised));
}

TEST(AutostartEntryTest, ExecLineQuotesWhatTheDesktopWouldSplit) {
  EXPECT_EQ(AutostartEntry::ExecLine("/usr/bin/korvane"), "/usr/bin/korvane -autorun");
  EXPECT_EQ(AutostartEntry::ExecLine("/home/a b/korvane"), "\"/home/a b/korvane\" -autorun");
  EXPECT_EQ(AutostartEntry::ExecLine("/opt/100%/korvane"), "/opt/100%%/korvane -autorun");
  EXPECT_EQ(AutostartEntry::ExecLine("/opt/$x/korvane"), "\"/opt/\\\\$x/korvane\" -autorun");
  EXPECT_EQ(AutostartEntry::ExecLine(R"(/opt/a\b/korvane)"), R"("/opt/a\\\\b/korvane" -autorun)");
}

// An entry an earlier version named after the caption still counts, and
// either choice leaves only the entry named after the application id.
TEST(AutostartEntryTest, EntryNamedAfterTheCaptionIsTakenOver) {
  TempDir folder;
  const std::filesystem::path former = folder.path() / "Korvane Center.desktop";
  const AutostartEntry entry(folder.path(), "Korvane Center", "/usr/bin/korvane");
  std::ofstream(former) << "[Desktop Entry]\n";
  EXPECT_TRUE(entry.Exists());
  ASSERT_TRUE(entry.Write());
  EXPECT_FALSE(std::filesystem::exists(former));
  EXPECT_TRUE(std::filesystem::exists(entry.File()));

  std::ofstream(former) << "[Desktop Entry]\n";
  entry.Remove();
  EXPECT_FALSE(entry.Exists());
  EXPECT_FALSE(std::filesystem::exists(former));
}

TEST_F(ControllerTest, ProfileSwitchMessageMakesTheProfileCurrentAndWritesIt) {
  Plug(sim::Preset::kWired);
  Start();
  Drain();
  ASSERT_TRUE(controller->State().mouse_linked);
  controller->OnWindowMessage(ui::msg::kProfileRequest, 0, 3);
  Drain();
  EXPECT_EQ(controller->State().current_profile, 3);
  EXPECT_EQ(GetActiveProfile(controller->Store()), 3);
  EXPECT_TRUE(Ran(kTaskWriteProfile));

  // A profile outside 1..4 changes nothing.
  controller->OnWindowMessage(ui::msg::kProfileRequest, 0, 9);
  EXPECT_EQ(controller->State().current_profile, 3);
}

TEST_F(ControllerTest, ProfileButtonOpensTheFourProfilesAndSwitches) {
  Start();
  EXPECT_TRUE(toolkit.Click(kProfileButton));
  EXPECT_EQ(ShownTitle(), Text(576));
  EXPECT_EQ(ShownMessage(), Text(57));

  Plug(sim::Preset::kWired);
  controller->Queue().Push(kTaskArrivalScan);
  Drain();
  ASSERT_TRUE(controller->State().mouse_linked);
  std::size_t shown = 0;
  toolkit.ScriptModal(ui::WindowId::kProfile, [&] {
    shown = toolkit.Items({ui::WindowId::kProfile, profile::kList}).size();
    toolkit.Choose({ui::WindowId::kProfile, profile::kList}, 1);
  });
  EXPECT_TRUE(toolkit.Click(kProfileButton));
  EXPECT_EQ(shown, 4u);
  EXPECT_GE(toolkit.Window(ui::WindowId::kProfile).rect.top, toolkit.WorkArea().top)
      << "a button at the top of the screen opens the pop-up below it";
  // The dialog posts its request; handling it queues the profile write.
  toolkit.Pump();
  Drain();
  EXPECT_EQ(controller->State().current_profile, 2);
  EXPECT_TRUE(Ran(kTaskWriteProfile));
  EXPECT_EQ(toolkit.GetText(kProfileButton), Text(61) + " 2");
}

TEST_F(ControllerTest, LanguageSwitchReappliesEveryText) {
  // The front end fills the list with the offered languages.
  for (const int lcid : {1033, 1049}) {
    ui::ListItem item;
    item.data = lcid;
    toolkit.AddItem(kLanguageList, item);
  }
  const auto ids = Plug(sim::Preset::kWired);
  Start();
  Drain();
  const std::string english_version = toolkit.State(kDeviceList).device_version.at(201);
  EXPECT_TRUE(english_version.starts_with(Text(17) + ": v")) << english_version;
  EXPECT_EQ(toolkit.Selection(kLanguageList), 0);
  ASSERT_TRUE(toolkit.Choose(kLanguageList, 1));
  EXPECT_EQ(context->Language().CurrentLcid(), 1049);
  EXPECT_EQ(toolkit.GetText(kAutostart), Text(604));
  EXPECT_EQ(toolkit.GetText(kConnectionState), Text(51));
  EXPECT_EQ(toolkit.Items(kTabStrip)[0].text, Text(71));
  const std::string russian_version = toolkit.State(kDeviceList).device_version.at(201);
  EXPECT_TRUE(russian_version.starts_with(Text(17) + ": v")) << russian_version;
  EXPECT_NE(russian_version, english_version);
}

// The controller on a copy of the shipped resources that a test changes
// first, in a temporary home; shut down when the test ends.
struct ControllerOnCopiedResources {
  ControllerOnCopiedResources() {
    std::filesystem::copy(KORVANE_SOURCE_DATA, resources, std::filesystem::copy_options::recursive);
  }
  ~ControllerOnCopiedResources() {
    if (controller) controller->Shutdown();
  }

  // Builds the controller on the resources as they are now and opens its window.
  void Start() {
    AppContextOptions options;
    options.resources = resources;
    options.data_dir = home / "data";
    options.config_dir = home / "config";
    std::filesystem::create_directories(home / "config");
    context = std::make_unique<AppContext>(options);
    context->Language().SetCurrentLcid(1033);
    ui::AddMainTabs(toolkit, context->Language().Lookup());
    controller = std::make_unique<DeviceMainDlg>(toolkit, *context, bus, nullptr,
                                                 ControllerOptions{home / "autostart", "korvane"});
    controller->OnInitDialog();
  }

  TempDir home;
  const std::filesystem::path resources = home / "resources";
  std::unique_ptr<AppContext> context;
  FakeToolkit toolkit;
  sim::VirtualBus bus;
  std::unique_ptr<DeviceMainDlg> controller;
};

// Without config.xml the user is told the device list cannot be read, and
// which file it is, rather than only that no device is connected.
TEST(ControllerCatalogTest, AMissingDeviceListIsToldWithItsFile) {
  ControllerOnCopiedResources desktop;
  std::filesystem::remove(desktop.resources / "config.xml");
  desktop.Start();
  const FakeToolkit& toolkit = desktop.toolkit;
  const LanguageCatalog& language = desktop.context->Language();
  EXPECT_EQ(toolkit.GetText({ui::WindowId::kMessageBox, ui::ctl::message_box::kTitle}),
            language.GetText(text_id::kCatalogUnreadableTitle));
  const std::string message = toolkit.GetText({ui::WindowId::kMessageBox, ui::ctl::message_box::kMessage});
  EXPECT_NE(message.find(language.GetText(text_id::kCatalogUnreadable)), std::string::npos) << message;
  EXPECT_NE(message.find((desktop.resources / "config.xml").string()), std::string::npos) << message;
}

}  // namespace
}  // namespace korvane::test

namespace korvane::test {
namespace {

TEST_F(ControllerTest, ShutdownDuringASlowExchangeReturnsWithinASecond) {
  const auto ids = Plug(sim::Preset::kWired);
  Start();
  Drain();
  bus.DelayAnswers(ids[0], std::chrono::milliseconds(1500));
  controller->Queue().Push(kTaskWriteProfile);
  controller->Queue().Push(kTaskFactoryReset);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const auto begin = std::chrono::steady_clock::now();
  controller->Shutdown();
  // A second, with a little room for a loaded machine.
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(1250));
  EXPECT_FALSE(toolkit.HasTrayIcon());
}

// A language file cut off half-way, before text 576 (the message box's
// title): the texts it lost show empty.
TEST(ControllerLanguageTest, HalfALanguageFileLeavesEmptyCaptions) {
  ControllerOnCopiedResources desktop;
  const std::filesystem::path file = desktop.resources / "language" / "1033.lan";
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  in.close();
  std::ofstream(file, std::ios::trunc) << [&] {
    std::string half;
    for (std::size_t i = 0; i < lines.size() && !lines[i].starts_with("576="); ++i) half += lines[i] + "\n";
    return half;
  }();

  desktop.Start();
  FakeToolkit& toolkit = desktop.toolkit;
  EXPECT_EQ(toolkit.GetText(ui::ctl::kAutostart), "");
  EXPECT_EQ(toolkit.Items(ui::ctl::kTabStrip)[0].text, desktop.context->Language().GetText(71));
  EXPECT_TRUE(toolkit.Click(ui::ctl::kRestoreDefaults));
  EXPECT_EQ(toolkit.GetText({ui::WindowId::kMessageBox, ui::ctl::message_box::kTitle}), "");
}

}  // namespace
}  // namespace korvane::test
