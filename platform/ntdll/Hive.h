// The process's connection to the user's hive database. Every native registry call opens a Session,
// which serialises the call against the process's other threads, (re)opens the database when needed and
// hands out the connection's prepared statements. A connection is never used in a process other than
// the one that opened it: after fork the child opens its own. A file that is not a hive is reported,
// never rewritten.
#pragma once

#include <sqlite3.h>
#include <sys/types.h>
#include <win/ntdll.h>

#include <cstdint>
#include <mutex>
#include <string>

#include "ntdll/Sql.h"

namespace ntdll {

class Hive {
 public:
  // Fixed identifiers of the keys every hive has.
  static constexpr int64_t kRegistryKey = 1;
  static constexpr int64_t kMachineKey = 2;
  static constexpr int64_t kUserKey = 3;
  static constexpr int kBusyTimeoutMs = 10000;

  class Session {
   public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // STATUS_SUCCESS when the hive is open and usable.
    NTSTATUS status() const { return hive_.openStatus_; }
    // Changes whenever another hive file is opened; handles of an older generation are stale.
    uint64_t generation() const { return hive_.generation_; }
    sqlite3* db() const { return hive_.db_; }
    // The prepared statement, or null with the failure in lastStatus().
    sqlite3_stmt* statement(Sql id);
    // The key of the current user below \Registry\User.
    int64_t userKey() const { return hive_.userKey_; }

   private:
    Hive& hive_;
    std::unique_lock<std::mutex> guard_;
  };

  static Hive& instance();
  // The text of the current user's SID, "S-1-22-1-<uid>".
  static std::string userSidText();

 private:
  Hive();
  void refresh();
  NTSTATUS open();
  NTSTATUS checkFile();
  NTSTATUS checkSchema(bool& empty);
  NTSTATUS initialize();
  NTSTATUS ensureUserKey();
  NTSTATUS exec(const char* sql);
  void close();
  void abandon();

  std::mutex lock_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* statements_[static_cast<int>(Sql::Count)] = {};
  pid_t pid_ = 0;
  bool settingKnown_ = false;
  bool hasSetting_ = false;
  std::string setting_;
  std::string path_;
  bool isDefault_ = true;
  uint64_t generation_ = 0;
  NTSTATUS openStatus_ = STATUS_REGISTRY_IO_FAILED;
  int64_t userKey_ = 0;
};

}  // namespace ntdll
