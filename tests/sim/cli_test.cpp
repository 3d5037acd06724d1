// Runs the korvane-virtual-mouse program as a shell user would: serve in
// the background, ctl commands against it, then SIGTERM.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "support/temp_dir.hpp"

extern char** environ;

namespace {

using namespace std::chrono_literals;

const std::string kProgram = KORVANE_VIRTUAL_MOUSE;

struct Output {
  int status = -1;
  std::string text;
};

Output RunProgram(const std::string& arguments) {
  Output out;
  FILE* pipe = ::popen((kProgram + " " + arguments + " 2>&1").c_str(), "r");
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
  out.status = WEXITSTATUS(::pclose(pipe));
  return out;
}

class ServeProcess {
 public:
  explicit ServeProcess(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {kProgram, "serve"});
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    spawned_ = ::posix_spawn(&pid_, kProgram.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
  }
  ~ServeProcess() {
    if (spawned_ && !stopped_) Stop();
  }
  int Stop() {
    stopped_ = true;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    return status;
  }
  bool spawned() const { return spawned_; }

 private:
  pid_t pid_ = 0;
  bool spawned_ = false;
  bool stopped_ = false;
};

bool WaitFor(const std::filesystem::path& file) {
  for (int i = 0; i < 200 && !std::filesystem::exists(file); ++i) std::this_thread::sleep_for(10ms);
  return std::filesystem::exists(file);
}

nlohmann::json ReadJson(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return nlohmann::json::parse(text.str());
}

TEST(VirtualMouseProgram, ServeAndCtlFromAShell) {
  korvane::test::TempDir dir;
  const std::string socket = (dir / "mouse.sock").string();
  const std::filesystem::path state = dir / "state.json";
  ServeProcess serve({"--socket", socket, "--preset", "receiver", "--sensor", "37", "--battery", "60,2", "--state",
                      state.string(), "--resources", KORVANE_SOURCE_DATA});
  ASSERT_TRUE(serve.spawned());
  ASSERT_TRUE(WaitFor(socket));

  EXPECT_EQ(RunProgram("ctl --socket " + socket + " unlink").status, 0);
  EXPECT_FALSE(ReadJson(state)["linked"].get<bool>());
  EXPECT_EQ(ReadJson(state)["battery"], nlohmann::json::array({60, 2}));
  EXPECT_EQ(RunProgram("ctl --socket " + socket + " link").status, 0);
  EXPECT_EQ(RunProgram("ctl --socket " + socket + " dpi-button 4 3").status, 0);
  const Output shown = RunProgram("ctl --socket " + socket + " state");
  ASSERT_EQ(shown.status, 0) << shown.text;
  const auto json = nlohmann::json::parse(shown.text);
  EXPECT_TRUE(json["linked"].get<bool>());
  EXPECT_EQ(json["settings"]["dpi"]["count"], 4);
  EXPECT_EQ(json["settings"]["dpi"]["index"], 3);
  EXPECT_EQ(ReadJson(state), json);

  const Output refused = RunProgram("ctl --socket " + socket + " dpi-button 4 4");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.text.find("does not apply"), std::string::npos);
  EXPECT_EQ(RunProgram("ctl --socket " + socket + " reboot").status, 1);

  const int status = serve.Stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(std::filesystem::exists(socket));
  EXPECT_NE(RunProgram("ctl --socket " + socket + " state").status, 0);
}

TEST(VirtualMouseProgram, RefusesBadOptions) {
  korvane::test::TempDir dir;
  const std::string socket = (dir / "mouse.sock").string();
  const std::string resources = std::string(" --resources ") + KORVANE_SOURCE_DATA;
  for (const std::string& options : std::vector<std::string>{
           "--preset wireless", "--rate-cap 0x30", "--dev-id A80", "--battery 1", "--sensor 300",
           "--model korvane_slate --preset receiver", "--state " + (dir / "no/such/folder/state.json").string()}) {
    EXPECT_NE(RunProgram("serve --socket " + socket + " " + options + resources).status, 0) << options;
  }
  EXPECT_FALSE(std::filesystem::exists(socket));
}

}  // namespace
