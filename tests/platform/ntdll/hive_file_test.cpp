// The hive file: where it is, what is accepted as a hive, that nothing else is ever written over, and the
// settings every connection uses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/ntdll/RegistryFixture.h"

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream out;
  out << in.rdbuf();
  return out.str();
}

bool exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// Runs a query with a connection of the test's own and answers the first column of the first row.
std::string sqlAnswer(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  std::string answer;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
      const unsigned char* text = sqlite3_column_text(statement, 0);
      answer = text ? reinterpret_cast<const char*>(text) : "";
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return answer;
}

class HiveFileTest : public RegistryFixture {
 protected:
  NTSTATUS openRegistry() {
    HANDLE h = nullptr;
    return open(u"\\Registry", h);
  }
  // The hive is reopened when the setting changes; going through another file forces a fresh open.
  void reopen() {
    std::string other = folder_ + "/other.db";
    setenv("VESPER_REGISTRY", other.c_str(), 1);
    openRegistry();
    setenv("VESPER_REGISTRY", hivePath_.c_str(), 1);
  }
};

TEST_F(HiveFileTest, AFreshHiveUsesWalAndPassesTheIntegrityCheck) {
  ASSERT_EQ(openRegistry(), STATUS_SUCCESS);
  EXPECT_EQ(sqlAnswer(hivePath_, "PRAGMA journal_mode"), "wal");
  EXPECT_EQ(sqlAnswer(hivePath_, "PRAGMA integrity_check"), "ok");
  EXPECT_EQ(sqlAnswer(hivePath_, "SELECT value FROM hive_info WHERE name = 'format'"), "vesper-registry-hive");
  struct stat info;
  ASSERT_EQ(stat(hivePath_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "the hive is private to its user";
}

TEST_F(HiveFileTest, AnEmptyFileBecomesAHive) {
  int fd = ::open(hivePath_.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(openRegistry(), STATUS_SUCCESS);
  EXPECT_EQ(sqlAnswer(hivePath_, "SELECT value FROM hive_info WHERE name = 'format'"), "vesper-registry-hive");
}

TEST_F(HiveFileTest, FilesThatAreNotHivesAreReportedAndLeftAlone) {
  struct Case {
    const char* what;
    std::string content;
  } cases[] = {
      {"text", std::string(300, 'x')},
      {"short sqlite header", std::string("SQLite format 3\0", 16) + std::string(20, '\0')},
      {"garbage after a header", std::string("SQLite format 3\0", 16) + std::string(4080, '\x7f')},
  };
  for (const Case& c : cases) {
    {
      std::ofstream out(hivePath_, std::ios::binary | std::ios::trunc);
      out << c.content;
    }
    reopen();
    EXPECT_EQ(openRegistry(), STATUS_REGISTRY_CORRUPT) << c.what;
    EXPECT_EQ(readFile(hivePath_), c.content) << c.what;
    EXPECT_FALSE(exists(hivePath_ + "-wal")) << c.what;
  }
}

TEST_F(HiveFileTest, SomeoneElsesDatabaseIsNotTouched) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(hivePath_.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE notes(text); INSERT INTO notes VALUES ('mine')", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  const std::string before = readFile(hivePath_);
  EXPECT_EQ(openRegistry(), STATUS_REGISTRY_CORRUPT);
  EXPECT_EQ(readFile(hivePath_), before);
  EXPECT_EQ(sqlAnswer(hivePath_, "PRAGMA journal_mode"), "delete") << "the journal mode was not changed";
}

TEST_F(HiveFileTest, AHiveOfANewerFormatIsRefused) {
  ASSERT_EQ(openRegistry(), STATUS_SUCCESS);
  sqlAnswer(hivePath_, "UPDATE hive_info SET value = 99 WHERE name = 'version'");
  reopen();
  EXPECT_EQ(openRegistry(), STATUS_REGISTRY_CORRUPT);
  EXPECT_EQ(sqlAnswer(hivePath_, "SELECT value FROM hive_info WHERE name = 'version'"), "99");
}

TEST_F(HiveFileTest, UnusableLocationsGiveAClearStatus) {
  setenv("VESPER_REGISTRY", (folder_ + "/no/such/folder/registry.db").c_str(), 1);
  EXPECT_EQ(openRegistry(), STATUS_OBJECT_PATH_NOT_FOUND);
  EXPECT_FALSE(exists(folder_ + "/no")) << "a named location is used as it is, never created";
  ASSERT_EQ(mkdir((folder_ + "/folder.db").c_str(), 0700), 0);
  setenv("VESPER_REGISTRY", (folder_ + "/folder.db").c_str(), 1);
  EXPECT_EQ(openRegistry(), STATUS_REGISTRY_IO_FAILED);
  if (geteuid() != 0) {
    setenv("VESPER_REGISTRY", hivePath_.c_str(), 1);
    ASSERT_EQ(openRegistry(), STATUS_SUCCESS);
    chmod(hivePath_.c_str(), 0400);
    reopen();
    EXPECT_EQ(openRegistry(), STATUS_ACCESS_DENIED);
  }
}

TEST_F(HiveFileTest, AMalformedSettingFallsBackToTheConfigurationFolder) {
  const std::string config = folder_ + "/config";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  for (const char* setting : {"", "/tmp/some-folder/"}) {
    setenv("VESPER_REGISTRY", setting, 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(openRegistry(), STATUS_SUCCESS);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("VESPER_REGISTRY"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  EXPECT_TRUE(exists(config + "/vesper/registry.db"));
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(HiveFileTest, HandlesOfAnotherHiveAreStale) {
  HANDLE key = createPath(u"Here");
  DWORD one = 1;
  ASSERT_EQ(setValue(key, u"v", REG_DWORD, &one, 4), STATUS_SUCCESS);
  setenv("VESPER_REGISTRY", (folder_ + "/second.db").c_str(), 1);
  EXPECT_EQ(setValue(key, u"v", REG_DWORD, &one, 4), STATUS_INVALID_HANDLE);
  setenv("VESPER_REGISTRY", hivePath_.c_str(), 1);
  HANDLE again = nullptr;
  ASSERT_EQ(open(userRoot() + u"\\Here", again), STATUS_SUCCESS);
  ULONG type = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(getValue(again, u"v", type, data), STATUS_SUCCESS) << "the value was kept in the first hive";
}

TEST_F(HiveFileTest, RewritingTheSameValueLeavesTheHiveAsItIs) {
  HANDLE key = createPath(u"Same");
  const char16_t text[] = u"unchanged";
  ASSERT_EQ(setValue(key, u"v", REG_SZ, text, sizeof text), STATUS_SUCCESS);
  sqlite3* watcher = nullptr;
  ASSERT_EQ(sqlite3_open(hivePath_.c_str(), &watcher), SQLITE_OK);
  auto version = [&] {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(watcher, "PRAGMA data_version", -1, &statement, nullptr);
    sqlite3_step(statement);
    int64_t v = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return v;
  };
  int64_t before = version();
  ASSERT_EQ(setValue(key, u"V", REG_SZ, text, sizeof text), STATUS_SUCCESS);
  EXPECT_EQ(version(), before);
  ASSERT_EQ(setValue(key, u"v", REG_EXPAND_SZ, text, sizeof text), STATUS_SUCCESS);
  EXPECT_NE(version(), before) << "a change of type alone is a change";
  sqlite3_close(watcher);
}

TEST_F(HiveFileTest, AWriteWaitsForAnotherWriterInsteadOfFailing) {
  HANDLE key = createPath(u"Busy");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(hivePath_.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  std::thread release([other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  });
  DWORD one = 1;
  EXPECT_EQ(setValue(key, u"v", REG_DWORD, &one, 4), STATUS_SUCCESS);
  release.join();
  sqlite3_close(other);
}

}  // namespace
