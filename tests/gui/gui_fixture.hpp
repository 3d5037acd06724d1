#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QString>
#include <memory>

#include "app/app_context.hpp"
#include "frontend/qt/main_window_setup.hpp"
#include "frontend/qt/qt_toolkit.hpp"
#include "support/offline_updates.hpp"
#include "support/temp_dir.hpp"

namespace korvane::test {

// Lets Qt handle what is queued (layouts, paints, posted work).
inline void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Screenshots go to KORVANE_SCREENSHOT_DIR when set, else <build>/screenshots/.
inline QString ScreenshotPath(const QString& name) {
  const QString folder = qEnvironmentVariable("KORVANE_SCREENSHOT_DIR", KORVANE_SCREENSHOT_DIR);
  QDir().mkpath(folder);
  return folder + '/' + name + ".png";
}

// The real main window built from the shipped resources, in English, with
// the program's folders in a temporary folder.
class GuiTest : public ::testing::Test {
 protected:
  TempDir home;
  std::unique_ptr<AppContext> context;
  std::unique_ptr<qt::QtToolkit> toolkit;

  void SetUp() override {
    KeepUpdateChecksOffline();
    AppContextOptions options;
    options.resources = KORVANE_SOURCE_DATA;
    options.data_dir = home / "data";
    options.config_dir = home / "config";
    context = std::make_unique<AppContext>(options);
    context->Language().SetCurrentLcid(1033);
    toolkit = std::make_unique<qt::QtToolkit>(qt::Skin(context->SkinFolder()), qt::TextLookupOf(*context));
    qt::SetUpMainWindow(*qApp, *toolkit, *context);
  }
};

}  // namespace korvane::test
