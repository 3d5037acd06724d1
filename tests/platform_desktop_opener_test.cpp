#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/desktop_opener.hpp"
#include "support/temp_dir.hpp"

namespace korvane {
namespace {

// PATH set for one test and put back afterwards.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& value) {
    if (const char* old = std::getenv("PATH")) old_ = old;
    ::setenv("PATH", value.c_str(), 1);
  }
  ~ScopedPath() {
    if (old_) {
      ::setenv("PATH", old_->c_str(), 1);
    } else {
      ::unsetenv("PATH");
    }
  }
  ScopedPath(const ScopedPath&) = delete;
  ScopedPath& operator=(const ScopedPath&) = delete;

 private:
  std::optional<std::string> old_;
};

// A stand-in opener in folder: it waits for the file "go" (and gives up
// after 10 s, so an opener that was waited for records nothing), then records its
// argument count, its argument, where its standard descriptors lead and its
// parent, one per line, in "record" (written whole, then renamed into place).
void WriteRecordingOpener(const test::TempDir& dir, const std::string& folder) {
  const std::string script =
      "#!/bin/sh\n"
      "PATH=/usr/bin:/bin\n"
      "i=0\n"
      "while [ ! -e '" +
      (dir / "go").string() +
      "' ] && [ $i -lt 200 ]; do\n"
      "  sleep 0.05; i=$((i + 1))\n"
      "done\n"
      "[ -e '" +
      (dir / "go").string() +
      "' ] || exit 1\n"
      "fds=$(readlink /proc/$$/fd/0 /proc/$$/fd/1 /proc/$$/fd/2)\n"
      "{ echo $#; echo \"$1\"; echo \"$fds\"; echo $PPID; } "
      ">'" +
      (dir / "record.tmp").string() +
      "'\n"
      "mv '" +
      (dir / "record.tmp").string() + "' '" + (dir / "record").string() + "'\n";
  const std::filesystem::path opener = dir.Write(folder + "/xdg-open", script);
  ::chmod(opener.c_str(), 0755);
}

std::optional<std::string> WaitForFile(const std::filesystem::path& file) {
  for (int i = 0; i < 200; ++i) {
    if (std::filesystem::exists(file)) {
      std::ostringstream text;
      text << std::ifstream(file).rdbuf();
      return text.str();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return std::nullopt;
}

TEST(DesktopOpener, StartsTheOpenerDetachedWithTheFileAsItsOneArgument) {
  test::TempDir dir;
  WriteRecordingOpener(dir, "bin");
  dir.Write("not-executable/xdg-open", "#!/bin/sh\n");
  const ScopedPath path("relative:" + (dir / "not-executable").string() + "::" + (dir / "bin").string() + ":/usr/bin");
  const std::filesystem::path installer = dir / "Mouse Setup; $(true) 'quoted'.deb";

  // The opener waits for "go": returning before it, the call did not wait.
  ASSERT_TRUE(OpenWithDesktop(installer));
  EXPECT_LE(::waitpid(-1, nullptr, WNOHANG), 0) << "a child of this process was left to reap";
  dir.Write("go", "");
  const std::optional<std::string> record = WaitForFile(dir / "record");
  ASSERT_TRUE(record) << "the opener did not run";
  std::istringstream lines(*record);
  std::string count, argument, in, out, err, parent;
  std::getline(lines, count);
  std::getline(lines, argument);
  std::getline(lines, in);
  std::getline(lines, out);
  std::getline(lines, err);
  std::getline(lines, parent);
  EXPECT_EQ(count, "1");
  EXPECT_EQ(argument, installer.string()) << "the name reached the opener unchanged";
  EXPECT_EQ(in, "/dev/null");
  EXPECT_EQ(out, "/dev/null");
  EXPECT_EQ(err, "/dev/null");
  EXPECT_NE(parent, std::to_string(::getpid())) << "the opener is not this process's child";
}

TEST(DesktopOpener, RelativeFileReachesTheOpenerAsAnAbsolutePath) {
  test::TempDir dir;
  WriteRecordingOpener(dir, "bin");
  dir.Write("go", "");
  const ScopedPath path((dir / "bin").string());
  ASSERT_TRUE(OpenWithDesktop("-x.deb"));
  const std::optional<std::string> record = WaitForFile(dir / "record");
  ASSERT_TRUE(record);
  EXPECT_NE(record->find('\n' + (std::filesystem::current_path() / "-x.deb").string() + '\n'), std::string::npos)
      << *record;
}

TEST(DesktopOpener, FailsWhenNoOpenerCanBeStarted) {
  test::TempDir dir;
  WriteRecordingOpener(dir, "bin");
  dir.Write("not-executable/xdg-open", "#!/bin/sh\n");
  dir.Write("bad-interpreter/xdg-open", "#!/no/such/interpreter\n");
  ::chmod((dir / "bad-interpreter/xdg-open").c_str(), 0755);
  {
    const ScopedPath path((dir / "not-executable").string() + ":" + (dir / "empty").string());
    EXPECT_FALSE(OpenWithDesktop(dir / "a.deb")) << "no executable opener on PATH";
  }
  {
    // A working opener reachable only through relative entries is not used.
    const ScopedPath path(".:bin::");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    EXPECT_FALSE(OpenWithDesktop(dir / "a.deb"));
    std::filesystem::current_path(dir / "bin");
    EXPECT_FALSE(OpenWithDesktop(dir / "a.deb"));
    std::filesystem::current_path(before);
  }
  {
    const ScopedPath path((dir / "bad-interpreter").string());
    EXPECT_FALSE(OpenWithDesktop(dir / "a.deb")) << "an opener that cannot be executed";
  }
  EXPECT_LE(::waitpid(-1, nullptr, WNOHANG), 0) << "a child of this process was left to reap";
}

}  // namespace
}  // namespace korvane
