// Opening, validating and initialising the hive database, and the per-call session around it.
#include "ntdll/Hive.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ntdll/FileTime.h"
#include "ntdll/HiveLocation.h"
#include "ntdll/HiveStatus.h"
#include "ntdll/Utf16.h"

namespace ntdll {

namespace {

// Creates every missing folder above the file, private to the user as a configuration folder should be.
void makeParentFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
  }
}

// A fork while another thread is inside a registry call must not leave the child's lock held.
void installForkHandlers(std::mutex* lock) {
  static std::mutex* theLock = lock;
  pthread_atfork([] { theLock->lock(); }, [] { theLock->unlock(); }, [] { theLock->unlock(); });
}

}  // namespace

Hive& Hive::instance() {
  static Hive* hive = new Hive();  // never destroyed: calls may arrive from static destructors
  return *hive;
}

Hive::Hive() { installForkHandlers(&lock_); }

std::string Hive::userSidText() { return "S-1-22-1-" + std::to_string(geteuid()); }

Hive::Session::Session() : hive_(Hive::instance()), guard_(hive_.lock_) { hive_.refresh(); }

Hive::Session::~Session() = default;

sqlite3_stmt* Hive::Session::statement(Sql id) {
  sqlite3_stmt*& slot = hive_.statements_[static_cast<int>(id)];
  if (!slot && hive_.db_) {
    if (sqlite3_prepare_v3(hive_.db_, SqlText::of(id), -1, SQLITE_PREPARE_PERSISTENT, &slot, nullptr) !=
        SQLITE_OK)
      slot = nullptr;
  }
  return slot;
}

void Hive::refresh() {
  const char* setting = HiveLocation::setting();
  bool changed = !settingKnown_ || hasSetting_ != (setting != nullptr) || (setting && setting_ != setting);
  if (changed) {
    close();
    settingKnown_ = true;
    hasSetting_ = setting != nullptr;
    setting_ = setting ? setting : "";
    path_ = HiveLocation::resolve(setting, isDefault_);
    ++generation_;
  }
  if (db_ && pid_ != getpid()) abandon();
  if (!db_) openStatus_ = open();
}

void Hive::close() {
  for (auto& statement : statements_) {
    if (statement) sqlite3_finalize(statement);
    statement = nullptr;
  }
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
  openStatus_ = STATUS_REGISTRY_IO_FAILED;
}

// In a forked child the parent's connection is left untouched: closing it here could release or
// checkpoint state that belongs to the parent. Its memory is the price of safety.
void Hive::abandon() {
  for (auto& statement : statements_) statement = nullptr;
  db_ = nullptr;
  openStatus_ = STATUS_REGISTRY_IO_FAILED;
}

NTSTATUS Hive::exec(const char* sql) {
  int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  return HiveStatus::fromSqlite(rc);
}

// Before SQLite sees the file, make sure it is a regular, writable file that is empty or holds an SQLite
// database, so that nothing else is ever taken for a hive.
NTSTATUS Hive::checkFile() {
  if (isDefault_) makeParentFolders(path_);
  struct stat info;
  if (stat(path_.c_str(), &info) != 0) {
    if (errno != ENOENT) return HiveStatus::fromErrno(errno);
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) return HiveStatus::fromErrno(errno);
    if (fd >= 0) ::close(fd);
    if (stat(path_.c_str(), &info) != 0) return HiveStatus::fromErrno(errno);
  }
  if (!S_ISREG(info.st_mode)) return STATUS_REGISTRY_IO_FAILED;
  if (access(path_.c_str(), R_OK | W_OK) != 0) return STATUS_ACCESS_DENIED;
  int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return HiveStatus::fromErrno(errno);
  char header[100];
  ssize_t got = read(fd, header, sizeof header);
  ::close(fd);
  if (got < 0) return STATUS_REGISTRY_IO_FAILED;
  if (got == 0) return STATUS_SUCCESS;
  if (got < static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
    return STATUS_REGISTRY_CORRUPT;
  return STATUS_SUCCESS;
}

// A hive has the format marker; an SQLite database with no tables at all may become one; anything else
// is someone else's database.
NTSTATUS Hive::checkSchema(bool& empty) {
  empty = false;
  sqlite3_stmt* query = nullptr;
  int rc = sqlite3_prepare_v2(db_, "SELECT count(*) FROM sqlite_master", -1, &query, nullptr);
  if (rc != SQLITE_OK) return HiveStatus::fromSqlite(rc);
  rc = sqlite3_step(query);
  int64_t tables = rc == SQLITE_ROW ? sqlite3_column_int64(query, 0) : -1;
  sqlite3_finalize(query);
  if (rc != SQLITE_ROW) return HiveStatus::fromSqlite(rc);
  if (tables == 0) {
    empty = true;
    return STATUS_SUCCESS;
  }
  rc = sqlite3_prepare_v2(db_,
                          "SELECT (SELECT value FROM hive_info WHERE name = 'format'),"
                          " (SELECT value FROM hive_info WHERE name = 'version')",
                          -1, &query, nullptr);
  if (rc != SQLITE_OK) return (rc & 0xFF) == SQLITE_ERROR ? STATUS_REGISTRY_CORRUPT : HiveStatus::fromSqlite(rc);
  rc = sqlite3_step(query);
  NTSTATUS status = STATUS_REGISTRY_CORRUPT;
  if (rc == SQLITE_ROW) {
    const unsigned char* format = sqlite3_column_text(query, 0);
    int64_t version = sqlite3_column_int64(query, 1);
    if (format && std::strcmp(reinterpret_cast<const char*>(format), SqlText::formatMarker()) == 0 &&
        version >= 1 && version <= SqlText::kVersion)
      status = STATUS_SUCCESS;
  } else {
    status = HiveStatus::fromSqlite(rc);
  }
  sqlite3_finalize(query);
  return status;
}

NTSTATUS Hive::initialize() {
  NTSTATUS status = exec("BEGIN IMMEDIATE");
  if (!NT_SUCCESS(status)) return status;
  bool empty = false;
  status = checkSchema(empty);  // another process may have initialised it meanwhile
  if (NT_SUCCESS(status) && empty) {
    status = exec(SqlText::schema());
    if (NT_SUCCESS(status)) {
      std::string sql =
          "INSERT INTO keys(id, parent, name, folded, class, last_write) VALUES"
          " (1, NULL, 'REGISTRY', 'REGISTRY', NULL, " + std::to_string(FileTime::now()) + "),"
          " (2, 1, 'MACHINE', 'MACHINE', NULL, " + std::to_string(FileTime::now()) + "),"
          " (3, 1, 'USER', 'USER', NULL, " + std::to_string(FileTime::now()) + ");"
          "INSERT INTO keys(parent, name, folded, class, last_write) VALUES (2, 'SOFTWARE', 'SOFTWARE', NULL, " +
          std::to_string(FileTime::now()) + ");"
          "INSERT INTO keys(parent, name, folded, class, last_write) VALUES (last_insert_rowid(), 'Classes',"
          " 'CLASSES', NULL, " + std::to_string(FileTime::now()) + ");";
      status = exec(sql.c_str());
    }
  }
  if (NT_SUCCESS(status)) status = exec("COMMIT");
  if (!NT_SUCCESS(status)) exec("ROLLBACK");
  return status;
}

NTSTATUS Hive::ensureUserKey() {
  std::string sid = userSidText();
  for (int attempt = 0; attempt < 2; ++attempt) {
    sqlite3_stmt* query = nullptr;
    int rc = sqlite3_prepare_v2(db_, "SELECT id FROM keys WHERE parent = 3 AND folded = ?1", -1, &query, nullptr);
    if (rc != SQLITE_OK) return HiveStatus::fromSqlite(rc);
    sqlite3_bind_text(query, 1, sid.c_str(), -1, SQLITE_TRANSIENT);
    rc = sqlite3_step(query);
    if (rc == SQLITE_ROW) userKey_ = sqlite3_column_int64(query, 0);
    sqlite3_finalize(query);
    if (rc == SQLITE_ROW) return STATUS_SUCCESS;
    if (rc != SQLITE_DONE) return HiveStatus::fromSqlite(rc);
    if (attempt) break;
    std::string insert = "INSERT OR IGNORE INTO keys(parent, name, folded, class, last_write) VALUES (3, '" +
                         sid + "', '" + sid + "', NULL, " + std::to_string(FileTime::now()) + ")";
    NTSTATUS status = exec("BEGIN IMMEDIATE");
    if (NT_SUCCESS(status)) status = exec(insert.c_str());
    if (NT_SUCCESS(status)) status = exec("COMMIT");
    if (!NT_SUCCESS(status)) {
      exec("ROLLBACK");
      return status;
    }
  }
  return STATUS_REGISTRY_CORRUPT;
}

NTSTATUS Hive::open() {
  NTSTATUS status = checkFile();
  if (!NT_SUCCESS(status)) return status;
  int rc = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    bool empty = false;
    status = checkSchema(empty);
    // The journal mode is changed only once the file is known to be a hive or empty.
    if (NT_SUCCESS(status)) {
      // Switching a fresh file to WAL needs a brief exclusive lock that the busy handler does not wait for.
      for (int attempt = 0; attempt < 200; ++attempt) {
        status = exec("PRAGMA journal_mode = WAL");
        if (status != STATUS_IO_TIMEOUT) break;
        usleep(5000);
      }
    }
    if (NT_SUCCESS(status)) status = exec("PRAGMA synchronous = FULL");
    if (NT_SUCCESS(status) && empty) status = initialize();
    if (NT_SUCCESS(status)) status = ensureUserKey();
  } else {
    status = HiveStatus::fromSqlite(rc);
  }
  if (!NT_SUCCESS(status)) {
    close();
    return status;
  }
  pid_ = getpid();
  return STATUS_SUCCESS;
}

}  // namespace ntdll
