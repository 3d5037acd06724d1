#include "profiles/profile_list.hpp"

#include <gtest/gtest.h>

#include "profiles/profile_manager.hpp"
#include "store/profile_table.hpp"
#include "support/store_fixture.hpp"

namespace korvane::test {
namespace {

class ProfileListTest : public StoreTest {
 protected:
  void AddProfiles() {
    for (int i = 1; i <= kProfileCount; ++i) {
      ProfileRecord record;
      record.name = "Profile " + std::to_string(i);
      ASSERT_EQ(AddProfile(store_, record), i);
    }
  }
};

TEST_F(ProfileListTest, ListsEveryProfileWithTheActiveOneMarkedAndItsNewName) {
  AddProfiles();
  SetActiveProfile(store_, 3);
  EXPECT_FALSE(RenameProfile(store_, 2, ""));
  EXPECT_TRUE(RenameProfile(store_, 4, "Aim"));
  const std::vector<ProfileSummary> list = LoadProfileList(store_);
  ASSERT_EQ(list.size(), 4u);
  for (const ProfileSummary& profile : list) EXPECT_EQ(profile.active, profile.number == 3) << profile.number;
  EXPECT_EQ(list[1].stored_name, "Profile 2") << "an empty name keeps the old one";
  EXPECT_EQ(list[3].stored_name, "Aim");
}

}  // namespace
}  // namespace korvane::test
