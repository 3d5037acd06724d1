#include "buttons/button_tasks.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "buttons/pending_macro.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "support/worker_fixture.hpp"

namespace korvane::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The button task on a worker connected to a virtual wired mouse.
class ButtonTasksTest : public WorkerFixture {
 protected:
  void SetUp() override {
    for (sim::VirtualDevice& device : sim::BuildPreset(resources, {}).devices) ids_.push_back(bus.Add(device));
    RegisterButtonHandlers(worker, pending_);
    queue.Push(kTaskStartupScan);
    worker.Start();
    ASSERT_TRUE(WaitForTask(kTaskStartupScan));
  }

  int AddMacro(int key_events) {
    const int id = InsertMacroRow(store, "Custom 1");
    std::vector<MacroEvent> events;
    for (int i = 0; i < key_events; ++i) {
      events.push_back(MacroEvent{.macro_id = id, .type = i % 2 ? 3 : 2, .record_index = i, .value = 0x41});
    }
    InsertEventRows(store, events);
    return id;
  }

  void AssignMacro(int key_code, int macro_id) {
    KeyAssignment a{.profile = state.current_profile, .key_code = key_code, .macro_type = 4, .macro_value = macro_id};
    ASSERT_GT(StoreKeyAssignment(store, a), 0);
    pending_.Set(key_code);
  }

  // Runs task 6 once more and waits until it has finished again.
  bool RunButtons() {
    const auto finished = [&] { return events.Count("done 6 1") + events.Count("done 6 0"); };
    const int before = finished();
    queue.Push(kTaskButtons);
    return WaitFor([&] { return finished() > before; });
  }

  sim::MouseState Mouse() { return bus.State(ids_.at(0)); }

  std::vector<sim::VirtualBus::DeviceId> ids_;
  PendingMacro pending_;
};

TEST_F(ButtonTasksTest, AnAssignedMacroReachesTheMouseBeforeTheTable) {
  AssignMacro(3, AddMacro(2));
  ASSERT_TRUE(RunButtons());
  const auto commands = Commands(ids_.at(0));
  ASSERT_GE(commands.size(), 2u);
  EXPECT_EQ((Bytes{commands.end()[-2], commands.end()[-1]}), (Bytes{0x08, 0x09}));
  EXPECT_EQ(Mouse().settings.macros.at(3), (Bytes{0x03, 0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04}));
  const Bytes table = Mouse().settings.buttons;
  ASSERT_EQ(table.size(), 27u);
  EXPECT_EQ((Bytes{table[9], table[10], table[11]}), (Bytes{0x90, 0x23, 0x01}));

  // The macro goes once: the next table write sends only the table.
  const std::size_t before = Commands(ids_.at(0)).size();
  ASSERT_TRUE(RunButtons());
  EXPECT_EQ(Commands(ids_.at(0)).size(), before + 1);
}

TEST_F(ButtonTasksTest, AMacroTooLongForTheMouseIsNeverSent) {
  AssignMacro(3, AddMacro(102));
  ASSERT_TRUE(RunButtons());
  for (const auto command : Commands(ids_.at(0))) EXPECT_NE(command, 0x08);
  const Bytes table = Mouse().settings.buttons;
  EXPECT_EQ((Bytes{table[9], table[10], table[11]}), (Bytes{0x10, 0x08, 0x00}));
}

}  // namespace
}  // namespace korvane::test
