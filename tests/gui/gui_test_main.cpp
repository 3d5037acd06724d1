// Runs the GUI suites on the offscreen platform with every user folder in a
// temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "support/temp_dir.hpp"

int main(int argc, char** argv) {
  // Nothing the toolkit starts may reach the user's own folders.
  const korvane::test::TempDir home;
  // The offscreen screen is a desktop at 96 DPI of KORVANE_TEST_SCREEN
  // ("WIDTHxHEIGHT", default 1920x1080) whatever the platform's default.
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    const QList<QByteArray> size = qEnvironmentVariable("KORVANE_TEST_SCREEN", "1920x1080").toLatin1().split('x');
    const std::filesystem::path screens =
        home.Write("screens.json", R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": )" +
                                       size.value(0, "1920").toStdString() + R"(, "height": )" +
                                       size.value(1, "1080").toStdString() + R"(, "logicalDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QByteArray::fromStdString(screens.string()));
  }
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
    const std::filesystem::path folder = home / name;
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    qputenv(name, QByteArray::fromStdString(folder.string()));
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
