// The real main window on the offscreen platform: every tab, the settings
// page, a language switch through the language list, the update offers of
// the device page and the dialogs, each saved as a screenshot and checked for
// clipped texts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/app_context.hpp"
#include "catalog/catalog_file.hpp"
#include "common/text_ids.hpp"
#include "frontend/qt/main_window_setup.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "gui_fixture.hpp"
#include "support/temp_dir.hpp"
#include "ui/about_dlg.hpp"
#include "ui/control_ids.hpp"
#include "ui/dpi_tip.hpp"
#include "ui/event_codes.hpp"
#include "ui/main_texts.hpp"
#include "ui/message_box.hpp"
#include "ui/palette_dlg.hpp"
#include "ui/profile_dlg.hpp"
#include "ui/save_tip.hpp"
#include "ui/update_windows.hpp"

namespace korvane {
namespace {

namespace ctl = ui::ctl;
using test::ScreenshotPath;
using test::Settle;

// Texts of visible labels and buttons under root that do not fit their widget.
QStringList ClippedTexts(const QWidget* root) {
  QStringList clipped;
  const auto check = [&](const QWidget* widget, const QString& text, QSize needed) {
    if (text.isEmpty() || !widget->isVisible()) return;
    if (needed.width() > widget->width() + 1 || needed.height() > widget->height() + 1) {
      clipped << QString("\"%1\" needs %2x%3, has %4x%5")
                     .arg(text)
                     .arg(needed.width())
                     .arg(needed.height())
                     .arg(widget->width())
                     .arg(widget->height());
    }
  };
  for (const QLabel* label : root->findChildren<QLabel*>()) {
    if (label->pixmap().isNull() && !label->wordWrap()) check(label, label->text(), label->minimumSizeHint());
    if (label->wordWrap()) {
      check(label, label->text(), {0, label->heightForWidth(label->width())});
    }
  }
  for (const QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
    check(button, button->text(), button->minimumSizeHint());
  }
  for (const QListWidget* list : root->findChildren<QListWidget*>()) {
    for (int row = 0; list->isVisible() && row < list->count(); ++row) {
      const QRect item = list->visualItemRect(list->item(row));
      const QString text = list->item(row)->text();
      if (list->fontMetrics().horizontalAdvance(text) > item.width() || item.bottom() > list->viewport()->height()) {
        clipped << QString("\"%1\" does not fit its list").arg(text);
      }
    }
  }
  for (const QLineEdit* edit : root->findChildren<QLineEdit*>()) {
    // The text area is what the frame and the style sheet's padding leave.
    QStyleOptionFrame option;
    option.initFrom(edit);
    const QRect area = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const int needed = edit->fontMetrics().horizontalAdvance(edit->text()) + 4;
    if (edit->isVisible() && needed > area.width()) {
      clipped << QString("\"%1\" needs %2, has %3").arg(edit->text()).arg(needed).arg(area.width());
    }
  }
  return clipped;
}

// Switches the language when the user picks one in the language list, as
// the controller does.
class LanguageSwitcher final : public ui::WindowHandler {
 public:
  LanguageSwitcher(qt::QtToolkit& toolkit, AppContext& context) : toolkit_(toolkit), context_(context) {}

  bool OnControlEvent(int control, int event, std::int64_t param) override {
    if (control != ctl::kLanguageList || event != ui::event::kClick) return false;
    context_.Language().SwitchLanguage(toolkit_.Items(ctl::kLanguageList).at(param).data);
    ui::ApplyMainWindowTexts(toolkit_, toolkit_.Text());
    return true;
  }
  std::int64_t OnWindowMessage(int, std::int64_t, std::int64_t) override { return 0; }

 private:
  qt::QtToolkit& toolkit_;
  AppContext& context_;
};

class GuiSmokeTest : public test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    // What the controller shows once the catalog is read: the models, one online.
    LoadReport report;
    const DeviceCatalog catalog = ReadCatalogFile(CatalogFilePath(context->Resources()), context->SkinFolder(), report);
    ASSERT_FALSE(catalog.models.empty());
    for (const CatalogEntry& model : catalog.models) {
      ui::ListItem item;
      item.text = model.name;
      item.data = model.device_type;
      item.image = model.image;
      toolkit->AddItem(ctl::kDeviceList, item);
    }
    toolkit->SetDeviceOnline(ctl::kDeviceList, catalog.models[0].device_type, 1, true);
    toolkit->SetDeviceVersion(ctl::kDeviceList, catalog.models[0].device_type, "v1.05");
    toolkit->SetDeviceBattery(ctl::kDeviceList, catalog.models[0].device_type, 80, 100);
    toolkit->SetSelection(ctl::kDeviceList, 0);
    toolkit->SetText(ctl::kConnectionState, context->Language().GetText(52));
    toolkit->SetText(ctl::kHomeText, context->Language().GetText(50));
    toolkit->SetVisible(ctl::kHomePicture, false);
    toolkit->SetBattery(ctl::kBattery, 80, 100);
    toolkit->SetText(ctl::kFirmwareVersion, "v1.05");
    toolkit->SetText(ctl::kSoftwareVersion, "v1.0.1");
    toolkit->SetText(ctl::kSubtitle, "Profile 1");
    toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
    Settle();
  }

  void Capture(QWidget* window, const QString& name) {
    Settle();
    ASSERT_TRUE(window->grab().save(ScreenshotPath(name))) << name.toStdString();
    EXPECT_EQ(ClippedTexts(window).join("; ").toStdString(), "") << name.toStdString();
  }
};

TEST_F(GuiSmokeTest, MainWindowShowsEveryTabAndPageAtItsOpeningAndItsSmallestSize) {
  QWidget* window = toolkit->MainWindow();
  EXPECT_EQ(window->size(), QSize(1300, 788).boundedTo(window->screen()->availableGeometry().size()));
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->windowIcon().isNull()) << "Korvane.ico is the window icon";
  EXPECT_EQ(toolkit->GetText(ctl::kTitle), "Korvane Center");
  // The smallest size fits a 1366 x 768 screen with a panel; the window can grow.
  EXPECT_LE(window->minimumWidth(), 1366);
  EXPECT_LE(window->minimumHeight(), 768 - 32);
  EXPECT_GT(window->maximumHeight(), 1080);

  const std::vector<int> pages{ctl::kHomePage,  ctl::kButtonsPage,  ctl::kPerformancePage,
                               ctl::kMacroPage, ctl::kLightingPage, ctl::kDeviceInfoPage};
  const auto tabs = toolkit->Items(ctl::kTabStrip);
  ASSERT_EQ(tabs.size(), pages.size());
  // Opening size, a 1366 x 768 laptop with a 40-pixel panel, the smallest size.
  for (const QSize size : {window->size(), QSize(1366, 728), window->minimumSize()}) {
    window->resize(size);
    for (int index = 0; index < static_cast<int>(tabs.size()); ++index) {
      toolkit->SetSelection(ctl::kTabStrip, index);
      Settle();
      EXPECT_TRUE(toolkit->Widget(pages[index])->isVisible()) << "tab " << index;
      Capture(window,
              QString("tab_%1_%2_%3x%4").arg(index + 1).arg(tabs[index].data).arg(size.width()).arg(size.height()));
    }
  }
}

TEST_F(GuiSmokeTest, MaximisingFillsTheWorkAreaAndRestoringGivesTheSizeBack) {
  QWidget* window = toolkit->MainWindow();
  const QSize normal = window->size();
  toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kMaximised);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == window->screen()->availableGeometry().size(); }));
  EXPECT_EQ(toolkit->GetWindowState(ui::WindowId::kMain), ui::WindowState::kMaximised);
  toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->size() == normal; }));
}

TEST_F(GuiSmokeTest, HomeOffersItsArrowsOnlyWhenTheCardsDoNotFit) {
  toolkit->SetSelection(ctl::kTabStrip, 0);
  Settle();
  const auto offered = [&] {
    return toolkit->IsEnabled(ctl::kDeviceListPrevious) && toolkit->IsEnabled(ctl::kDeviceListNext);
  };
  EXPECT_FALSE(offered()) << "the three models fit";
  auto items = toolkit->Items(ctl::kDeviceList);
  for (int extra = 1; extra <= 3; ++extra) {
    ui::ListItem item = items.front();
    item.text += " " + std::to_string(extra);
    item.data = 900 + extra;
    toolkit->AddItem(ctl::kDeviceList, item);
  }
  Settle();
  EXPECT_TRUE(offered()) << "six cards overflow the list";
  Capture(toolkit->MainWindow(), "home_six_models");
}

TEST_F(GuiSmokeTest, WithoutTrayHidingTheWindowMinimisesIt) {
  if (toolkit->AddTrayIcon("Korvane Center")) GTEST_SKIP() << "this desktop has a tray";
  toolkit->ShowWindow(ui::WindowId::kMain, ui::WindowState::kHidden);
  Settle();
  EXPECT_TRUE(toolkit->MainWindow()->isVisible());
  EXPECT_EQ(toolkit->GetWindowState(ui::WindowId::kMain), ui::WindowState::kMinimised);
}

TEST_F(GuiSmokeTest, MissingSkinImagesLeaveStyledWidgets) {
  test::TempDir skin;
  std::filesystem::copy_file(context->SkinFolder() / "skin.qss", skin / "skin.qss");
  qt::QtToolkit bare(qt::Skin(skin.path()), qt::TextLookupOf(*context));
  qt::SetUpMainWindow(*qApp, bare, *context);
  bare.ShowWindow(ui::WindowId::kMain, ui::WindowState::kNormal);
  EXPECT_EQ(bare.GetText(ctl::kClose), "✕") << "a glyph stands in for the close image";
  Capture(bare.MainWindow(), "tab_1_without_images");
  qApp->setStyleSheet(toolkit->GetSkin().StyleSheet());
}

TEST_F(GuiSmokeTest, SettingsPageAndLanguageSwitchThroughTheList) {
  QWidget* window = toolkit->MainWindow();
  toolkit->SetVisible(ctl::kSettingsPage, true);
  toolkit->SetChecked(ctl::kAutostart, true);
  toolkit->SetChecked(ctl::kExitEndsProgram, true);
  EXPECT_TRUE(toolkit->Widget(ctl::kSettingsPage)->isVisible());
  EXPECT_EQ(toolkit->Items(ctl::kLanguageList).size(), context->Language().OfferedLanguages().size());
  Capture(window, "settings_1033");

  LanguageSwitcher switcher(*toolkit, *context);
  toolkit->SetHandler(ui::WindowId::kMain, &switcher);
  auto* languages = qobject_cast<QComboBox*>(toolkit->Widget(ctl::kLanguageList));
  ASSERT_NE(languages, nullptr);
  const int russian = languages->findData(1049);
  ASSERT_GE(russian, 0);
  languages->setCurrentIndex(russian);
  emit languages->activated(russian);  // as a user's pick

  EXPECT_EQ(context->Language().CurrentLcid(), 1049);
  EXPECT_EQ(toolkit->GetText(ctl::kAutostart), context->Language().GetText(604));
  EXPECT_NE(toolkit->GetText(ctl::kAutostart), "Launch at login");
  EXPECT_EQ(toolkit->Items(ctl::kTabStrip)[0].text, context->Language().GetText(71));
  Capture(window, "settings_1049");

  toolkit->SetVisible(ctl::kSettingsPage, false);
  toolkit->SetSelection(ctl::kTabStrip, 5);
  Capture(window, "tab_6_7_1049");
  toolkit->SetHandler(ui::WindowId::kMain, nullptr);
}

TEST_F(GuiSmokeTest, DialogsShowTheirControlsOnTheMainWindow) {
  const auto modal = [] { return QApplication::activeModalWidget(); };
  // A window manager places the window once it is mapped.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit->MainWindow()));
  const auto expect_centred = [&](const QWidget* dialog) {
    const QPoint main_centre = toolkit->MainWindow()->geometry().center();  // where the window manager put it
    EXPECT_LE((dialog->geometry().center() - main_centre).manhattanLength(), 2) << dialog->windowTitle().toStdString();
  };
  QTimer::singleShot(50, [&] {
    QWidget* box = modal();
    ASSERT_NE(box, nullptr);
    expect_centred(box);
    Capture(box, "message_box");
    qobject_cast<QAbstractButton*>(toolkit->Widget({ui::WindowId::kMessageBox, ctl::message_box::kCancel}))->click();
  });
  EXPECT_EQ(ui::ShowMessageBox(*toolkit, toolkit->Text(), context->Language().GetText(570),
                               context->Language().GetText(571), ui::kMessageOkCancel),
            ui::kResultCancel);

  ui::PaletteDlg palette(*toolkit, toolkit->Text());
  QTimer::singleShot(50, [&] {
    QWidget* dialog = modal();
    ASSERT_NE(dialog, nullptr);
    expect_centred(dialog);
    Capture(dialog, "palette");
    qobject_cast<QAbstractButton*>(toolkit->Widget({ui::WindowId::kPalette, ctl::palette::kConfirm}))->click();
  });
  EXPECT_EQ(palette.Run(0x00A5FF), 0x00A5FF);

  ui::DpiTip dpi_tip(*toolkit, toolkit->Text());
  dpi_tip.ShowDpiTip(3200);
  Capture(toolkit->Widget({ui::WindowId::kDpiTip, ctl::dpi_tip::kValue})->window(), "dpi_tip");

  // The saving notice lies on the main window and asks the window system
  // for neither the focus nor the clicks (the offscreen platform activates
  // every window it shows, so the flags are what can be checked here).
  ui::SaveTip save_tip(*toolkit, toolkit->Text());
  save_tip.ShowSaveTip();
  QWidget* notice = toolkit->Widget({ui::WindowId::kSaveTip, ctl::save_tip::kText})->window();
  Settle();
  EXPECT_TRUE(notice->windowHandle()->flags().testFlags(Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(toolkit->MainWindow()->geometry().contains(notice->geometry()));
  Capture(notice, "save_tip");

  std::vector<std::string> renamed;
  ui::ProfileDlg profiles(*toolkit, toolkit->Text(), [&](int, const std::string& name) { renamed.push_back(name); });
  QTimer::singleShot(50, [&] {
    QWidget* popup = toolkit->Widget({ui::WindowId::kProfile, ctl::profile::kList})->window();
    Capture(popup, "profile");
    popup->close();  // as a click elsewhere
  });
  const ui::Rect button = toolkit->ControlRect(ctl::kProfileButton);
  profiles.Run({{1, "Profile 1"}, {2, "Profile 2"}, {3, "Sniper"}, {4, "Profile 4"}}, 3,
               {button.left, button.top - 210, button.width, 205});
  EXPECT_TRUE(renamed.empty());

  QTimer::singleShot(50, [&] {
    QWidget* about = toolkit->Widget({ui::WindowId::kAbout, ctl::about::kClose})->window();
    Capture(about, "about");
    qobject_cast<QAbstractButton*>(toolkit->Widget({ui::WindowId::kAbout, ctl::about::kClose}))->click();
  });
  ui::ShowAboutBox(*toolkit, toolkit->Text(), {"Korvane Center", "1.0.1", 0x0105});
}

TEST_F(GuiSmokeTest, DeviceInfoPageShowsTheUpdateOffersInEveryLanguage) {
  QWidget* window = toolkit->MainWindow();
  const QWidget* page = toolkit->Widget(ctl::kDeviceInfoPage);
  toolkit->SetSelection(ctl::kTabStrip, 5);
  for (const OfferedLanguage& language : context->Language().OfferedLanguages()) {
    SCOPED_TRACE(language.lcid);
    context->Language().SwitchLanguage(language.lcid);
    const TextLookup& text = toolkit->Text();
    ui::ApplyMainWindowTexts(*toolkit, text);
    toolkit->SetText(ctl::kFirmwareOffer, text(text_id::kNewVersion) + ": V1.04");
    toolkit->SetText(ctl::kSoftwareOffer, text(text_id::kNoUpdate));
    toolkit->SetText(ctl::kUpgradeFirmware, text(text_id::kUpdateAction));
    toolkit->SetText(ctl::kInstallSoftware, text(text_id::kUpdateAction));
    toolkit->SetEnabled(ctl::kUpgradeFirmware, true);
    toolkit->SetEnabled(ctl::kInstallSoftware, false);
    Settle();
    EXPECT_EQ(ClippedTexts(page).join("; ").toStdString(), "");
    for (int id = ctl::kDeviceInfoTitle; id <= ctl::kInstallSoftware; ++id) {
      const QWidget* control = toolkit->Widget(id);
      if (control == nullptr) continue;
      EXPECT_TRUE(control->isVisible()) << id;
      EXPECT_TRUE(page->rect().contains(QRect(control->mapTo(page, QPoint(0, 0)), control->size())))
          << id << " lies outside the page";
    }
    if (language.lcid == 1033) Capture(window, "device_info_offers");
    if (language.lcid == 1049) Capture(window, "device_info_offers_1049");
  }
}

TEST_F(GuiSmokeTest, UpdateWindowsShowTheirProgressAboveTheMainWindow) {
  namespace download = ctl::download_window;
  namespace upgrade = ctl::upgrade_window;
  constexpr ui::WindowId kDownload = ui::WindowId::kDownloadProgress;
  constexpr ui::WindowId kUpgrade = ui::WindowId::kUpgradeProgress;

  int cancels = 0;
  ui::DownloadProgressWindow downloading(*toolkit, toolkit->Text(), [&] { ++cancels; });
  downloading.Open();
  downloading.SetDownloadProgress(55);
  EXPECT_EQ(toolkit->GetText({kDownload, download::kText}), "Downloading the update: 55%");
  EXPECT_EQ(toolkit->Value({kDownload, download::kBar}), 55);
  EXPECT_EQ(qobject_cast<QProgressBar*>(toolkit->Widget({kDownload, download::kBar}))->maximum(), 100);
  QWidget* download_window = toolkit->Widget({kDownload, download::kText})->window();
  EXPECT_EQ(download_window->size(), QSize(360, 130)) << "the controls fit the window";
  EXPECT_EQ(download_window->windowType(), Qt::Tool) << "kept above the main window, no task-bar entry";
  Capture(download_window, "update_download_window");

  QWidget* cancel = toolkit->Widget({kDownload, download::kCancel});
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_EQ(cancels, 1);
  EXPECT_FALSE(cancel->isEnabled());
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_EQ(cancels, 1) << "the download is cancelled once";
  downloading.Close();
  EXPECT_FALSE(download_window->isVisible());

  ui::UpgradeProgressWindow upgrading(*toolkit, toolkit->Text());
  upgrading.Open();
  upgrading.SetUpgradeProgress("Updating firmware", 40);
  EXPECT_EQ(toolkit->GetText({kUpgrade, upgrade::kText}), "Updating firmware: 40%");
  EXPECT_EQ(toolkit->Value({kUpgrade, upgrade::kBar}), 40);
  QWidget* upgrade_window = toolkit->Widget({kUpgrade, upgrade::kText})->window();
  EXPECT_EQ(upgrade_window->size(), QSize(391, 130)) << "the controls fit the window";
  EXPECT_EQ(upgrade_window->windowType(), Qt::Tool) << "kept above the main window, no task-bar entry";
  EXPECT_TRUE(upgrade_window->findChildren<QAbstractButton*>().isEmpty()) << "an upgrade cannot be stopped";
  Capture(upgrade_window, "update_upgrade_window");
  upgrading.Close();
}

}  // namespace
}  // namespace korvane
