#include "app/startup.hpp"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/temp_dir.hpp"

namespace korvane {
namespace {

TEST(DpiRule, SizeFirstThenMonitorOnlyAt1920x1080) {
  struct Case {
    int w, h;
    std::optional<int> dpi;
    bool aware;
  };
  const Case cases[] = {
      {1366, 768, 96, true},           {1366, 768, 144, true},
      {1600, 790, std::nullopt, true}, {2560, 1440, 144, false},
      {1920, 1080, 120, false},        {1920, 1080, 144, true},
      {1920, 1080, 168, true},         {1920, 1080, 192, true},
      {1920, 1080, 240, false},        {1920, 1080, std::nullopt, false},
      {1920, 1200, 144, false},
  };
  for (const Case& c : cases) {
    int asked = 0;
    const bool aware = ShouldBeDpiAware(c.w, c.h, [&] {
      ++asked;
      return c.dpi;
    });
    EXPECT_EQ(aware, c.aware) << c.w << "x" << c.h << " at " << c.dpi.value_or(0);
    EXPECT_EQ(asked, c.w == 1920 && c.h == 1080 ? 1 : 0) << "the monitor is asked only on a 1920x1080 screen";
  }
}

TEST(StartHidden, PlainCaseSensitiveSubstringOfAnyArgument) {
  using Args = std::vector<std::string>;
  EXPECT_FALSE(StartHidden(Args{}));
  EXPECT_FALSE(StartHidden(Args{"-autorun"}));
  EXPECT_FALSE(StartHidden(Args{"-Hide"}));
  EXPECT_TRUE(StartHidden(Args{"-hide"}));
  EXPECT_TRUE(StartHidden(Args{"--autorun", "x-hidey"}));
}

class StartupTest : public ::testing::Test {
 protected:
  // Waits (a generous bound: only a lost request reaches it) until the
  // instance's activation descriptor says a request came in.
  static bool ActivationArrives(const SingleInstance& instance) {
    pollfd watch{instance.ActivationFd(), POLLIN, 0};
    return ::poll(&watch, 1, 10000) == 1;
  }

  test::TempDir dir;
  AppContextOptions options;

  void SetUp() override {
    dir.Write("res/config.xml",
              R"(<config><language.info default_lan="1049"><lan value="1033"/><lan value="1049"/></language.info>)"
              R"(<software caption="Test Caption" version="9.9"/></config>)");
    options.resources = dir / "res";
    options.data_dir = dir / "data" / "Test Caption Files";
    options.config_dir = dir / "config";
    std::filesystem::create_directories(dir / "run");
  }
};

TEST_F(StartupTest, FirstStartChoosesLanguageCreatesDbFolderAndHonoursHide) {
  const StartupOutcome outcome = RunStartupSteps({"-hide"}, options, 1031, dir / "run");
  ASSERT_FALSE(outcome.exit_code);
  EXPECT_TRUE(outcome.start_hidden);
  EXPECT_EQ(outcome.context->Caption(), "Test Caption");
  EXPECT_EQ(outcome.context->Language().CurrentLcid(), 1033) << "German is not offered: English replaces default_lan";
  EXPECT_TRUE(std::filesystem::is_directory(dir / "data" / "Test Caption Files" / "db"));
}

TEST_F(StartupTest, SecondStartAsksTheFirstToShowItselfAndExitsWithZero) {
  const StartupOutcome first = RunStartupSteps({}, options, 1033, dir / "run");
  ASSERT_FALSE(first.exit_code);
  EXPECT_FALSE(first.instance->TakeActivationRequests());

  const StartupOutcome second = RunStartupSteps({"-autorun"}, options, 1033, dir / "run");
  ASSERT_TRUE(second.exit_code);
  EXPECT_EQ(*second.exit_code, 0);
  ASSERT_TRUE(ActivationArrives(*first.instance));
  EXPECT_TRUE(first.instance->TakeActivationRequests());
}

// Clients that connect and send nothing hold up neither the taking of
// requests nor a real request behind them.
TEST_F(StartupTest, SilentClientsNeverBlockTheFirstInstance) {
  const StartupOutcome first = RunStartupSteps({}, options, 1033, dir / "run");
  ASSERT_FALSE(first.exit_code);
  std::vector<int> silent;
  for (int i = 0; i < 5; ++i) {
    silent.push_back(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = (dir / "run" / "Test Caption.sock").string();
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::connect(silent.back(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  EXPECT_FALSE(first.instance->TakeActivationRequests()) << "returns at once with nothing to take";
  const StartupOutcome second = RunStartupSteps({}, options, 1033, dir / "run");
  ASSERT_TRUE(ActivationArrives(*first.instance));
  EXPECT_TRUE(first.instance->TakeActivationRequests());
  for (const int fd : silent) ::close(fd);
}

// A lock that cannot be taken stops the start with the reason, rather than
// letting a second instance drive the mouse alongside the first.
TEST_F(StartupTest, ALockThatCannotBeTakenIsAnError) {
  dir.Write("res/config.xml", "<config><software caption=\"" + std::string(300, 'C') + "\" version=\"1\"/></config>");
  const StartupOutcome outcome = RunStartupSteps({}, options, 1033, dir / "run");
  ASSERT_TRUE(outcome.exit_code);
  EXPECT_EQ(*outcome.exit_code, 1);
  EXPECT_NE(outcome.problem.find("lock"), std::string::npos) << outcome.problem;
}

TEST_F(StartupTest, MissingConfigStillStartsWithEmptyCaption) {
  options.resources = dir / "nowhere";
  options.data_dir.reset();
  ::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1);
  const StartupOutcome outcome = RunStartupSteps({}, options, 1033, dir / "run");
  ASSERT_FALSE(outcome.exit_code);
  EXPECT_EQ(outcome.context->Caption(), "");
  EXPECT_TRUE(outcome.context->Config().languages.empty());
  EXPECT_EQ(outcome.context->Language().CurrentLcid(), 1033);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "xdg" / " Files" / "db"));
}

}  // namespace
}  // namespace korvane
