#pragma once

#include <mutex>
#include <string>

#include "store/sqlite_db.hpp"

namespace korvane {

// The one open settings database of the current model and the lock that
// serialises every statement against it. The application owns one instance
// and hands it to everything that reads or writes settings; the UI thread
// and the device worker share it.
//
// Every table operation holds the lock from before preparing until after
// finalising. The lock is recursive, so an operation may call another one
// while holding it, and whoever reopens the database holds it across the
// close and the open so no other thread sees a half-reopened store.
class ConfigStore final {
 public:
  using Lock = std::unique_lock<std::recursive_mutex>;

  ConfigStore() = default;
  ConfigStore(const ConfigStore&) = delete;
  ConfigStore& operator=(const ConfigStore&) = delete;

  [[nodiscard]] Lock Hold() { return Lock(mutex_); }

  // The connection. Use it only while holding the lock.
  SQLiteDB& Db() { return db_; }

  // Path of the file of the last open attempt, and whether it succeeded.
  std::string Path();
  bool IsOpen();
  void SetOpenResult(const std::string& path, bool open);

  // Statements that have failed so far (see SQLiteDB::Failures); no lock.
  std::uint64_t Failures() const { return db_.Failures(); }

  // Closes the database under the lock; false while a statement is open.
  bool Close();

 private:
  std::recursive_mutex mutex_;
  SQLiteDB db_;
  std::string path_;
  bool open_ = false;
};

}  // namespace korvane
