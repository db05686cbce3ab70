// Several processes on one hive: a forked child opens its own connection, and writers that hammer the
// same keys, one of them killed midway, leave a sound hive holding every write they completed.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <set>

#include "platform/ntdll/RegistryFixture.h"

namespace {

constexpr int kWriters = 4;
constexpr int kWritesPerWriter = 120;
constexpr int kKillAfter = 30;

std::u16string numbered(const char16_t* prefix, int writer, int index) {
  std::u16string out = prefix;
  for (char c : std::to_string(writer) + "-" + std::to_string(index)) out.push_back(static_cast<char16_t>(c));
  return out;
}

// The writer's part, run in a child process started with VESPER_TEST_WRITER=<id>: every write goes to
// the same keys as the other writers' and is reported on standard output once the call has returned.
class WriterHelper : public RegistryFixture {
 protected:
  void SetUp() override {}
  void TearDown() override {}
};

TEST_F(WriterHelper, Run) {
  const char* role = getenv("VESPER_TEST_WRITER");
  if (!role) GTEST_SKIP() << "runs only as a child of the multi-process test";
  const int id = atoi(role);
  const std::u16string shared = userRoot() + u"\\Hammer";
  for (int i = 0; i < kWritesPerWriter; ++i) {
    HANDLE key = nullptr;
    ASSERT_EQ(create(shared, key), STATUS_SUCCESS);
    HANDLE sub = nullptr;
    ASSERT_EQ(create(numbered(u"k", i % 5, 0), sub, nullptr, KEY_ALL_ACCESS, key), STATUS_SUCCESS);
    uint64_t payload = (static_cast<uint64_t>(id) << 32) | static_cast<uint32_t>(i);
    ASSERT_EQ(setValue(key, numbered(u"w", id, i), REG_QWORD, &payload, 8), STATUS_SUCCESS);
    ASSERT_EQ(setValue(key, u"last", REG_QWORD, &payload, 8), STATUS_SUCCESS);
    ASSERT_EQ(setValue(sub, u"shared", REG_QWORD, &payload, 8), STATUS_SUCCESS);
    NtClose(sub);
    NtClose(key);
    std::printf("%d\n", i);
    std::fflush(stdout);
  }
}

class ProcessesTest : public RegistryFixture {};

TEST_F(ProcessesTest, AForkedChildWritesThroughItsOwnConnection) {
  HANDLE key = createPath(u"Family");
  DWORD parent = 1;
  ASSERT_EQ(setValue(key, u"parent", REG_DWORD, &parent, 4), STATUS_SUCCESS);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    DWORD value = 2;
    // The inherited handle names the same key of the same hive file.
    NTSTATUS status = setValue(key, u"child", REG_DWORD, &value, 4);
    _exit(status == STATUS_SUCCESS ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ULONG type = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(getValue(key, u"child", type, data), STATUS_SUCCESS);
  EXPECT_EQ(setValue(key, u"after", REG_DWORD, &parent, 4), STATUS_SUCCESS) << "the parent's connection still works";
}

TEST_F(ProcessesTest, WritersSurviveOneOfThemBeingKilled) {
  // Create the hive first so that the writers meet an initialised file.
  createPath(u"Hammer");
  struct Writer {
    pid_t pid;
    FILE* output;
    std::set<int> completed;
  };
  std::vector<Writer> writers;
  for (int id = 0; id < kWriters; ++id) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      dup2(pipeEnds[1], 1);
      close(pipeEnds[0]);
      close(pipeEnds[1]);
      setenv("VESPER_TEST_WRITER", std::to_string(id).c_str(), 1);
      execl("/proc/self/exe", "writer", "--gtest_filter=WriterHelper.Run", "--gtest_brief=1",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeEnds[1]);
    writers.push_back({pid, fdopen(pipeEnds[0], "r"), {}});
  }
  // Gtest's own lines go to the same output; only bare numbers are completed writes.
  auto readLine = [](Writer& w) {
    char line[256];
    if (!std::fgets(line, sizeof line, w.output)) return false;
    char* end = nullptr;
    long n = std::strtol(line, &end, 10);
    if (end != line && *end == '\n') w.completed.insert(static_cast<int>(n));
    return true;
  };
  Writer& victim = writers[0];
  while (static_cast<int>(victim.completed.size()) < kKillAfter && readLine(victim)) {
  }
  ASSERT_EQ(static_cast<int>(victim.completed.size()), kKillAfter);
  kill(victim.pid, SIGKILL);
  for (Writer& w : writers) {
    while (readLine(w)) {
    }
    fclose(w.output);
    int status = 0;
    ASSERT_EQ(waitpid(w.pid, &status, 0), w.pid);
    if (&w == &victim) {
      EXPECT_TRUE(WIFSIGNALED(status));
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      EXPECT_EQ(static_cast<int>(w.completed.size()), kWritesPerWriter);
    }
  }

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(hivePath_.c_str(), &db), SQLITE_OK);
  sqlite3_stmt* check = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
  sqlite3_finalize(check);
  sqlite3_close(db);

  HANDLE key = nullptr;
  ASSERT_EQ(open(userRoot() + u"\\Hammer", key), STATUS_SUCCESS);
  for (int id = 0; id < kWriters; ++id) {
    for (int i : writers[id].completed) {
      ULONG type = 0;
      std::vector<uint8_t> data;
      ASSERT_EQ(getValue(key, numbered(u"w", id, i), type, data), STATUS_SUCCESS) << id << "/" << i;
      uint64_t payload = 0;
      ASSERT_EQ(data.size(), 8u);
      std::memcpy(&payload, data.data(), 8);
      EXPECT_EQ(payload, (static_cast<uint64_t>(id) << 32) | static_cast<uint32_t>(i));
    }
  }
  EXPECT_EQ(subKeys(key).size(), 5u);
}

}  // namespace
