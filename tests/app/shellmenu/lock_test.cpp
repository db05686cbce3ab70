// The bridge's lock across processes: stale claims are cleared, a valid claim of another process
// makes the taker wait until it is released, and racing installers leave one complete template.
// The other processes are this test program run again on a hidden test that does one job.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "ShellMenuFixture.h"
#include "reg/win/RegDir.h"
#include "shellmenu/MenuLock.h"
#include "shellmenu/TemplateWriter.h"
#include "shellmenu/UnixTime.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using s::shell::server01::acquireLock;
using s::shell::server01::releaseLock;
using s::shell::server01::unixTimeNow;

constexpr char kLock[] = "Software\\MenuPorter110\\Lock";

class LockTest : public testing_shellmenu::ShellMenuTest {
 protected:
  // Sets the lock time and adds claims (entry, ValidSec; a negative validity writes none).
  void prepareLock(uint32_t taken, const std::vector<std::pair<uint32_t, int>>& claims) {
    runReg("add 'HKCU\\Software\\MenuPorter110\\Lock' /ve /t REG_DWORD /d " + std::to_string(taken) + " /f");
    for (const auto& [entry, valid] : claims) {
      const std::string key = std::string("'HKCU\\") + kLock + "\\" + std::to_string(entry) + "'";
      if (valid < 0) runReg("add " + key + " /ve /d x /f");
      else runReg("add " + key + " /v ValidSec /t REG_DWORD /d " + std::to_string(valid) + " /f");
    }
  }

  std::vector<std::string> claims() { return subKeysOf(query(kLock), kLock); }
  std::string lockTime() { return valueOf(query(kLock), kLock, "(Default)"); }

  // Starts this program on the hidden job with `job` in the environment; answers its process id.
  pid_t startChild(const std::string& job) {
    const std::string self = testing_shellmenu::ownExecutable();
    std::vector<std::string> args = {self, "--gtest_filter=LockChild.DISABLED_Job", "--gtest_also_run_disabled_tests"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    setenv("VESPER_LOCK_TEST_JOB", job.c_str(), 1);
    setenv("VESPER_LOCK_TEST_FOLDER", folder.c_str(), 1);
    pid_t pid = -1;
    posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ);
    unsetenv("VESPER_LOCK_TEST_JOB");
    return pid;
  }

  static bool waitForFile(const std::string& path, int seconds) {
    for (int i = 0; i < seconds * 50; ++i) {
      if (fs::exists(path)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  static int finish(pid_t pid) {
    int status = -1;
    waitpid(pid, &status, 0);
    return status;
  }
};

TEST_F(LockTest, FreeLockIsTakenWithTheOwnClaimAndReleasedAgain) {
  const uint32_t before = unixTimeNow();
  ASSERT_TRUE(acquireLock(41, 10));
  EXPECT_EQ(claims(), (std::vector<std::string>{"41"}));
  EXPECT_EQ(valueOf(query(kLock), std::string(kLock) + "\\41", "ValidSec"), "0xa");
  EXPECT_GE(std::stoul(lockTime(), nullptr, 16), before);
  EXPECT_TRUE(releaseLock(41));
  EXPECT_TRUE(claims().empty());
  EXPECT_EQ(lockTime(), "0x0");
}

TEST_F(LockTest, StaleClaimsAreClearedAndTheLockTaken) {
  const uint32_t now = unixTimeNow();
  struct Row {
    const char* what;
    uint32_t taken;
    std::vector<std::pair<uint32_t, int>> claims;
  };
  const Row rows[] = {
      {"expired claim", now - 100, {{7, 10}}},
      {"claim without ValidSec counts 5 seconds", now - 30, {{7, -1}}},
      {"lock time in the future", now + 3600, {{7, 600}}},
      {"lock set but no claim at all", now, {}},
      {"several expired claims", now - 1000, {{7, 1}, {8, 600}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    runReg("delete 'HKCU\\Software\\MenuPorter110' /f");
    prepareLock(row.taken, row.claims);
    ASSERT_TRUE(acquireLock(41, 10));
    EXPECT_EQ(claims(), (std::vector<std::string>{"41"}));
    EXPECT_TRUE(releaseLock(41));
  }
}

TEST_F(LockTest, ReleaseAnswersFalseWhileAnotherValidClaimRemains) {
  prepareLock(unixTimeNow(), {{7, 600}, {41, 10}});
  EXPECT_FALSE(releaseLock(41));
  EXPECT_EQ(claims(), (std::vector<std::string>{"7"}));
  EXPECT_NE(lockTime(), "0x0");
}

TEST_F(LockTest, StaleLockWithoutClaimsIsFreedByTheFirstRelease) {
  prepareLock(unixTimeNow() - 5, {});
  EXPECT_TRUE(releaseLock(41));
  EXPECT_EQ(lockTime(), "0x0");
}

TEST_F(LockTest, ValidClaimOfAnotherProcessMakesTheTakerWaitForItsRelease) {
  pid_t holder = startChild("hold");
  ASSERT_GT(holder, 0);
  ASSERT_TRUE(waitForFile(folder + "/taken", 30));
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(acquireLock(41, 10));
  const auto waited = std::chrono::steady_clock::now() - start;
  // The holder writes "releasing" just before it releases; we can only have the lock after that.
  EXPECT_TRUE(fs::exists(folder + "/releasing"));
  EXPECT_GE(waited, std::chrono::milliseconds(500));
  EXPECT_EQ(claims(), (std::vector<std::string>{"41"}));
  EXPECT_TRUE(releaseLock(41));
  int status = finish(holder);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(LockTest, RacingInstallersLeaveOneCompleteTemplate) {
  pid_t first = startChild("write");
  pid_t second = startChild("write");
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  int a = finish(first), b = finish(second);
  EXPECT_TRUE(WIFEXITED(a) && WEXITSTATUS(a) == 0);
  EXPECT_TRUE(WIFEXITED(b) && WEXITSTATUS(b) == 0);
  auto tree = query("Software\\MenuPorter110");
  const std::string app = "Software\\MenuPorter110\\Apps\\Vesper";
  EXPECT_EQ(subKeysOf(tree, app + "\\menus_Background"), (std::vector<std::string>{"194000000", "199000000"}));
  EXPECT_EQ(subKeysOf(tree, app + "\\menus_Background\\199000000").size(), 8u);
  EXPECT_EQ(tree["HKEY_CURRENT_USER\\" + app + "\\menus_Background\\199000000\\199805000"].size(), 40u);
  EXPECT_EQ(valueOf(tree, app, "Usable"), "0x1");
  EXPECT_EQ(valueOf(tree, kLock, "(Default)"), "0x0");
  EXPECT_TRUE(subKeysOf(tree, kLock).empty());
}

TEST_F(LockTest, UnusableRegistryEndsTheWaitWithFailure) {
  std::ofstream(folder + "/plain") << "x";
  setenv("VESPER_REGISTRY", (folder + "/plain/hive.db").c_str(), 1);
  EXPECT_FALSE(acquireLock(41, 10));
  EXPECT_FALSE(s::shell::server01::writeTemplate(nullptr));
  EXPECT_FALSE(s::shell::server01::withdrawTemplate());
}

// The job of a child process, named by VESPER_LOCK_TEST_JOB: "hold" takes the lock for 1.5 seconds,
// "write" writes the whole template.
TEST(LockChild, DISABLED_Job) {
  const char* job = getenv("VESPER_LOCK_TEST_JOB");
  const char* folder = getenv("VESPER_LOCK_TEST_FOLDER");
  ASSERT_NE(job, nullptr);
  ASSERT_NE(folder, nullptr);
  const uint32_t entry = s::shell::server01::lockEntryOfThisProcess();
  if (std::string(job) == "hold") {
    ASSERT_TRUE(acquireLock(entry, 600));
    std::ofstream(std::string(folder) + "/taken") << "1";
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    std::ofstream(std::string(folder) + "/releasing") << "1";
    ASSERT_TRUE(releaseLock(entry));
  } else {
    ASSERT_TRUE(s::shell::server01::writeTemplate(nullptr));
  }
}

}  // namespace
