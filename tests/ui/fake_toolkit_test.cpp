#include "support/fake_toolkit.hpp"

#include <gtest/gtest.h>

#include <thread>

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

TEST(FakeToolkit, ClicksCheckLikeTheControlKindAndTimersFireOnTheManualClock) {
  test::FakeToolkit toolkit;
  toolkit.AddControl(286, "exit");
  toolkit.AddControl(287, "exit");
  toolkit.AddCheckBox(281);
  toolkit.AddControl(276);
  toolkit.SetChecked(287, true);
  toolkit.Click(286);
  EXPECT_TRUE(toolkit.IsChecked(286));
  EXPECT_FALSE(toolkit.IsChecked(287));
  toolkit.Click(281);
  toolkit.Click(276);
  EXPECT_TRUE(toolkit.IsChecked(281));
  EXPECT_FALSE(toolkit.IsChecked(276));
  toolkit.Click(281);
  EXPECT_FALSE(toolkit.IsChecked(281));

  int fired = 0;
  const ui::TimerId repeating = toolkit.StartTimer(std::chrono::milliseconds(100), true, [&] { ++fired; });
  toolkit.Advance(std::chrono::milliseconds(350));
  EXPECT_EQ(fired, 3);
  toolkit.StopTimer(repeating);
  toolkit.Advance(std::chrono::milliseconds(1000));
  EXPECT_EQ(fired, 3);
  EXPECT_EQ(toolkit.ActiveTimers(), 0);

  const ui::TimerId idle = toolkit.StartTimer(std::chrono::milliseconds(10), true, {});
  EXPECT_GT(idle, repeating) << "ids are never reused";
  EXPECT_EQ(toolkit.ActiveTimers(), 0) << "a timer without work is never armed";
  toolkit.Advance(std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace korvane
