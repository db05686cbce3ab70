// Switch mode of the real program against the power log: which requests each command line makes,
// in which order, and that anything on the command line keeps the window away.
#include "ProgramRun.h"

namespace {

using testing_program::firstWords;
using testing_program::lines;
using testing_program::Outcome;

class ProgramSwitchModeTest : public testing_program::ProgramTest {};

struct SwitchCase {
  std::vector<std::string> arguments;
  std::vector<std::string> requests;
};

TEST_F(ProgramSwitchModeTest, EachArgumentRunsItsSwitchInOrder) {
  const SwitchCase cases[] = {
      {{"-logoff", "-reboot"}, {"TerminateSession", "Reboot"}},
      {{"-reboot", "-logoff"}, {"Reboot", "TerminateSession"}},
      {{"/SHUTDOWN"}, {"PowerOff"}},
      {{"-shutdown"}, {"PowerOff"}},
      {{"-Suspend"}, {"Suspend"}},
      {{"/hibernate"}, {"Hibernate"}},
      {{"--shutdown"}, {}},
      {{"shutdown"}, {}},
      {{"-shut"}, {}},
      {{"-shutdownx"}, {}},
      {{""}, {}},
      {{"-"}, {}},
      {{"-unknown", "-reboot", "reboot"}, {"Reboot"}},
      {{"-shutdown", "-SHUTDOWN"}, {"PowerOff", "PowerOff"}},
  };
  for (const SwitchCase& c : cases) {
    std::string name = ::testing::PrintToString(c.arguments);
    std::remove(powerLogPath().c_str());
    Outcome outcome = vesper(c.arguments);
    ASSERT_TRUE(outcome.exited) << name;
    EXPECT_TRUE(WIFEXITED(outcome.status)) << name;
    EXPECT_EQ(firstWords(powerLog()), c.requests) << name;
    EXPECT_EQ(outcome.err, "") << name;
  }
}

TEST_F(ProgramSwitchModeTest, AllRequestsOfOneStartComeFromOneProcess) {
  vesper({"-logoff", "-reboot", "-shutdown"});
  std::vector<std::string> logged = lines(powerLog());
  ASSERT_EQ(logged.size(), 3u);
  std::string pid = logged[0].substr(logged[0].rfind(" pid="));
  for (const std::string& line : logged) EXPECT_EQ(line.substr(line.rfind(" pid=")), pid) << line;
}

TEST_F(ProgramSwitchModeTest, AnyArgumentKeepsTheWindowAndItsChecksAway) {
  // A system the window refuses: window mode would say so; switch mode runs on every system.
  environment["VESPER_WINVER"] = "6.1";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"nothing"}, {"-shut"}, {"-reboot"}}) {
    Outcome outcome = vesper(arguments);
    ASSERT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.err, "") << ::testing::PrintToString(arguments);
  }
}

TEST_F(ProgramSwitchModeTest, AFailedHibernationIsReportedOnceAndTheNextSwitchStillRuns) {
  const std::string message =
      "[vesper] Not Enough virtual Memory (Paging File)\r\n"
      "Solution 1: Close some of applications (which is using lots of memory) and try again.\r\n"
      "Solution 2: Increase minimum virtual memory (Paging File) size and reboot the system once.\n";
  // A power log that cannot be written makes every request fail, and nothing reaches the system.
  environment["VESPER_POWER_LOG"] = folder + "/missing/power.log";
  Outcome once = vesper({"-hibernate"});
  ASSERT_TRUE(once.exited);
  EXPECT_EQ(once.err, message);
  Outcome twice = vesper({"-hibernate", "-hibernate"});
  EXPECT_EQ(twice.err, message + message);
  // The other actions fail silently.
  Outcome others = vesper({"-suspend", "-logoff", "-reboot", "-shutdown"});
  ASSERT_TRUE(others.exited);
  EXPECT_EQ(others.err, "");
}

}  // namespace
