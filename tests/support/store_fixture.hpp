#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/config_store.hpp"
#include "store/device_database.hpp"
#include "store/store_query.hpp"
#include "support/temp_dir.hpp"

namespace korvane::test {

// A fresh settings database "<temp>/db/test_data1.db", open in its own store.
class StoreTest : public ::testing::Test {
 protected:
  StoreTest() {
    std::filesystem::create_directories(dir_ / "db");
    EXPECT_TRUE(OpenDeviceDatabase(store_, dir_.path(), "test"));
  }

  // The single integer a query returns (a count, for example); -1 without a row.
  int QueryInt(const char* sql) {
    int value = -1;
    ReadOneRow(store_, sql, {}, [&](const SQLiteStatement& row) { value = row.ColumnInt(0); });
    return value;
  }

  TempDir dir_;
  ConfigStore store_;
};

}  // namespace korvane::test
