#include <gtest/gtest.h>

#include <thread>

#include "fake_toolkit.hpp"
#include "ui/event_codes.hpp"

namespace korvane {
namespace {

class RecordingHandler final : public ui::WindowHandler {
 public:
  std::vector<int> controls;
  bool OnControlEvent(int control, int, std::int64_t) override {
    controls.push_back(control);
    return true;
  }
  std::int64_t OnWindowMessage(int, std::int64_t, std::int64_t) override { return 0; }
};

TEST(FakeToolkit, EventsOfUnknownControlsOrWindowsWithoutHandlerAreNotHandled) {
  test::FakeToolkit toolkit;
  RecordingHandler handler;
  toolkit.AddControl(40);
  toolkit.AddControl({ui::WindowId::kPalette, 48});
  toolkit.SetHandler(ui::WindowId::kMain, &handler);

  EXPECT_TRUE(toolkit.Deliver(40, ui::event::kClick));
  EXPECT_FALSE(toolkit.Deliver(999, ui::event::kClick));
  EXPECT_FALSE(toolkit.Deliver({ui::WindowId::kPalette, 48}, ui::event::kClick));
  EXPECT_EQ(handler.controls, std::vector<int>{40});
}

TEST(FakeToolkit, PostedWorkFromAnotherThreadWaitsForThePump) {
  test::FakeToolkit toolkit;
  std::vector<int> ran;
  std::thread worker([&] {
    for (int i = 0; i < 3; ++i) toolkit.Post([&ran, i] { ran.push_back(i); });
  });
  worker.join();
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(toolkit.Pump(), 3);
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
}

TEST(FakeToolkit, RadioClickClearsTheGroupAndTimersFireOnTheManualClock) {
  test::FakeToolkit toolkit;
  toolkit.AddControl(286, "exit");
  toolkit.AddControl(287, "exit");
  toolkit.SetChecked(287, true);
  toolkit.Click(286);
  EXPECT_TRUE(toolkit.IsChecked(286));
  EXPECT_FALSE(toolkit.IsChecked(287));

  int fired = 0;
  const ui::TimerId repeating = toolkit.StartTimer(std::chrono::milliseconds(100), true, [&] { ++fired; });
  toolkit.Advance(std::chrono::milliseconds(350));
  EXPECT_EQ(fired, 3);
  toolkit.StopTimer(repeating);
  toolkit.Advance(std::chrono::milliseconds(1000));
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(toolkit.ActiveTimers(), 0);
}

}  // namespace
}  // namespace korvane
