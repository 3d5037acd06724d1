// Runs the GUI suites on the offscreen platform with every user folder in a
// temporary folder.
#include <gtest/gtest.h>

#include <QApplication>

#include <filesystem>

#include "support/temp_dir.hpp"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Nothing the toolkit starts may reach the user's own folders.
  const korvane::test::TempDir home;
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
