#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/app_settings.hpp"
#include "platform/file_lock.hpp"
#include "platform/paths.hpp"
#include "platform/single_instance.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

TEST(EnsureDirectory, CreatesOnlyMissingLevelsAndAcceptsExisting) {
  test::TempDir dir;
  std::filesystem::create_directories(dir / "a");
  const auto target = dir / "a" / "b" / "Cap Files" / "db";
  EXPECT_TRUE(EnsureDirectory(target));
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_TRUE(EnsureDirectory(target)) << "an existing folder is success";
  dir.Write("file", "x");
  EXPECT_FALSE(EnsureDirectory(dir / "file" / "sub"));
}

TEST(AppSettings, ReadCreatesTheFolderAndWriteNeedsIt) {
  test::TempDir dir;
  AppSettings settings(dir / "cfg");
  EXPECT_FALSE(settings.WriteAppSetting("exit_mode", "1")) << "writing never creates the folder";
  const auto first = settings.Read("exit_mode");
  EXPECT_EQ(first.key, AppSettings::KeyState::Created);
  EXPECT_EQ(settings.ReadAppSetting("exit_mode"), 0);

  EXPECT_TRUE(settings.WriteAppSetting("exit_mode", "1"));
  EXPECT_TRUE(settings.WriteAppSetting("DeviceType", "203 junk"));
  EXPECT_TRUE(settings.WriteAppSetting("name", "two\nlines"));
  EXPECT_EQ(settings.ReadAppSetting("exit_mode"), 1);
  EXPECT_EQ(settings.ReadAppSetting("DeviceType"), 203);
  EXPECT_EQ(settings.Read("name").value, "two lines") << "a value stays on one line";
  EXPECT_EQ(settings.Read("absent").key, AppSettings::KeyState::Opened);
  EXPECT_EQ(settings.Read("absent").value, "");
}

TEST(Paths, DataFolderFollowsXdgAndOverride) {
  ::setenv("XDG_DATA_HOME", "/x/data", 1);
  EXPECT_EQ(DataFolder("Korvane Center"), std::filesystem::path("/x/data/Korvane Center Files"));
  EXPECT_EQ(DataFolder("a/b"), std::filesystem::path("/x/data/a_b Files"));
  EXPECT_EQ(DataFolder("Korvane Center", std::filesystem::path("/tmp/d")), std::filesystem::path("/tmp/d"));
  ::setenv("XDG_DATA_HOME", "relative", 1);
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(DataFolder("C"), std::filesystem::path("/home/u/.local/share/C Files"));
}

}  // namespace
}  // namespace korvane

#include "platform/udev_hotplug.hpp"

namespace korvane {
namespace {

TEST(UdevHotplug, PathCarriesUpperCaseIdsAndTheInterfaceNumber) {
  const auto ids = IdsFromUdevProperties("0003:00001A2B:000000C5", "usb-0000:00:14.0-1/input2");
  ASSERT_TRUE(ids);
  const std::string path = HotplugPath("/dev/hidraw3", *ids);
  EXPECT_EQ(path, "/dev/hidraw3?VID_1A2B&PID_00C5&MI_02");
  EXPECT_EQ(DevicePathOf(path), "/dev/hidraw3");
  EXPECT_EQ(DevicePathOf("/dev/hidraw3"), "/dev/hidraw3");
  EXPECT_EQ(IdsFromUdevProperties("0003:00003a7c:00001100", "")->interface_number, 0);
  EXPECT_FALSE(IdsFromUdevProperties("garbage", "x"));
  EXPECT_FALSE(IdsFromUdevProperties("0003:zz:1", "x"));
}

TEST(UdevHotplug, WatchingStopsPromptlyWhenDestroyed) {
  // Whether or not this machine offers a udev monitor, starting and
  // destroying the source must neither fail nor hang.
  UdevHotplugSource source;
  source.SetListener([](const HotplugEvent&) {});
  source.SetListener([](const HotplugEvent&) {});
}

}  // namespace
// The runtime folder holds the locks: a folder that another user made, or
// that others may write to, is refused.
TEST(RuntimeFolder, OnlyAUserOnlyFolderOfOursIsSafe) {
  const test::TempDir dir;
  const auto folder = dir / "run";
  EXPECT_TRUE(SingleInstance::UnsafeRuntimeFolder(folder, ::getuid())) << "missing";
  std::filesystem::create_directory(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
  EXPECT_FALSE(SingleInstance::UnsafeRuntimeFolder(folder, ::getuid()));
  EXPECT_TRUE(SingleInstance::UnsafeRuntimeFolder(folder, ::getuid() + 1)) << "another user's";
  std::filesystem::permissions(folder, std::filesystem::perms::others_all, std::filesystem::perm_options::add);
  EXPECT_TRUE(SingleInstance::UnsafeRuntimeFolder(folder, ::getuid())) << "open to others";
  std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "link");
  std::filesystem::create_directory(dir / "elsewhere");
  EXPECT_TRUE(SingleInstance::UnsafeRuntimeFolder(dir / "link", ::getuid())) << "a link";
}

TEST(FileLock, AHeldLockIsWaitedForOnlyAsLongAsAsked) {
  test::TempDir dir;
  auto holder = std::make_unique<FileLock>(dir / "device.lock");
  ASSERT_TRUE(holder->TryLock());
  FileLock waiter(dir / "device.lock");
  EXPECT_TRUE(waiter.Usable());
  EXPECT_FALSE(waiter.TryLock());
  EXPECT_FALSE(waiter.LockWithin(std::chrono::milliseconds(200))) << "still held: gives up";
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    holder.reset();
  });
  EXPECT_TRUE(waiter.LockWithin(std::chrono::seconds(30))) << "taken once released";
  release.join();

  FileLock nowhere(dir / "missing-folder" / "device.lock");
  EXPECT_FALSE(nowhere.Usable());
  EXPECT_FALSE(nowhere.LockWithin(std::chrono::seconds(30))) << "a file that cannot be opened is not waited for";
}

}  // namespace korvane
