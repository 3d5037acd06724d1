#include "buttons/button_assignments.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "buttons/pending_macro.hpp"
#include "store/key_table.hpp"
#include "store/macro_table.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"
#include "worker/connection_state.hpp"
#include "worker/task_queue.hpp"

namespace korvane::test {
namespace {

// One profile, the shared state and the queue the buttons page writes to.
class ButtonAssignmentsTest : public StoreTest {
 protected:
  void SetUp() override {
    ProfileRecord record;
    record.name = "Profile 1";
    state_.current_profile = AddProfile(store_, record);
    ASSERT_GT(state_.current_profile, 0);
  }

  std::vector<KeyAssignment> Rows() {
    std::vector<KeyAssignment> rows;
    LoadKeyAssignments(store_, state_.current_profile, rows);
    return rows;
  }

  std::vector<int> Queued() {
    std::vector<int> codes;
    while (const auto code = queue_.Pop()) codes.push_back(*code);
    return codes;
  }

  int MacroOf(int key_events) {
    const int id = InsertMacroRow(store_, "Custom 1");
    std::vector<MacroEvent> events;
    for (int i = 0; i < key_events; ++i)
      events.push_back({.macro_id = id, .type = 2 + i % 2, .record_index = i, .value = 0x41});
    InsertEventRows(store_, events);
    return id;
  }

  ConnectionState state_;
  WakeSignal wake_;
  TaskQueue queue_{wake_};
  PendingMacro pending_;
  ButtonTarget target_{store_, state_, queue_, pending_};
};

TEST_F(ButtonAssignmentsTest, ThePrimaryButtonRefusesEveryAssignmentAndNothingChanges) {
  const AssignResult results[] = {
      AssignFunction(target_, kPrimaryButton, kFunctionMouse, 3, "Right"),
      AssignFunction(target_, kPrimaryButton, kFunctionMacro, MacroOf(2), "Custom 1"),
      AssignKeyCombination(target_, kPrimaryButton, {.usage = 4, .modifiers = 1, .description = "Ctrl + A"}),
      AssignKeyCombination(target_, kPrimaryButton, {}),
      AssignRepeat(target_, kPrimaryButton, 5, 1, "Fire"),
      AssignDisabled(target_, kPrimaryButton, "Disabled"),
  };
  for (const AssignResult result : results) EXPECT_EQ(result, AssignResult::kPrimaryButton);
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(Queued().empty());
  EXPECT_EQ(pending_.Take(), -1);
}

TEST_F(ButtonAssignmentsTest, AnAssignmentReplacesTheButtonsRowAndQueuesTheTable) {
  EXPECT_EQ(AssignFunction(target_, 3, kFunctionMouse, 3, "Right"), AssignResult::kStored);
  EXPECT_EQ(AssignRepeat(target_, 3, 2, 300, "Fire"), AssignResult::kStored);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].macro_type, kFunctionRepeat);
  EXPECT_EQ(rows[0].macro_value, 5);
  EXPECT_EQ(rows[0].macro_value2, 255);
  EXPECT_EQ(rows[0].macro_desc, "Fire");
  EXPECT_EQ(Queued(), (std::vector<int>{kTaskButtons, kTaskButtons}));
}

TEST_F(ButtonAssignmentsTest, KeyCombinationsNeedAKeyOrAModifier) {
  EXPECT_EQ(AssignKeyCombination(target_, 2, {.usage = 0, .modifiers = 2, .description = "Shift"}),
            AssignResult::kStored);
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_EQ(AssignKeyCombination(target_, 4, {}), AssignResult::kNothingToStore);
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Queued(), (std::vector<int>{kTaskButtons}));
}

TEST_F(ButtonAssignmentsTest, AMacroIsMarkedToBeSentUnlessTheMouseCannotTakeIt) {
  EXPECT_EQ(AssignFunction(target_, 4, kFunctionMacro, MacroOf(101), "Custom 1"), AssignResult::kStored);
  EXPECT_EQ(pending_.Take(), 4);
  EXPECT_EQ(AssignFunction(target_, 5, kFunctionMacro, MacroOf(102), "Custom 2"), AssignResult::kMacroTooLong);
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_EQ(pending_.Take(), -1);
  EXPECT_EQ(Queued(), (std::vector<int>{kTaskButtons}));
}

TEST_F(ButtonAssignmentsTest, ResetsFallBackToTheDefaultsAndStillQueueTheTable) {
  AssignDisabled(target_, 2, "Disabled");
  AssignDisabled(target_, 3, "Disabled");
  Queued();
  EXPECT_TRUE(ResetKey(target_, 2));
  EXPECT_TRUE(ResetKey(target_, 7));  // no row: nothing changes, the table is still sent
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_TRUE(ResetAllKeys(target_));
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Queued(), (std::vector<int>{kTaskButtons, kTaskButtons, kTaskButtons}));
}

TEST_F(ButtonAssignmentsTest, TheButtonListShowsDefaultsUntilAButtonHasARow) {
  std::vector<KeyAssignment> defaults(2);
  defaults[0] = {.key_code = 0, .layout_desc = "900", .macro_type = 1, .macro_value = 1, .macro_desc = "920"};
  defaults[1] = {.key_code = 5, .layout_desc = "907", .macro_type = 5, .macro_value = 3, .macro_desc = "927"};
  AssignFunction(target_, 5, kFunctionSystem, 9, "Kopieren");
  const auto text = [](int id) { return "T" + std::to_string(id); };
  const auto views = LoadButtonViews(store_, state_.current_profile, defaults, text, {});
  ASSERT_EQ(views.size(), 2u);
  EXPECT_EQ(views[0].name, "T900");
  EXPECT_EQ(views[0].description, "T920");
  EXPECT_EQ(views[1].key_code, 5);
  EXPECT_EQ(views[1].description, "T31");
}

}  // namespace
}  // namespace korvane::test
