// The real program against a private logind (python3-dbusmock's template on a bus of its own): the
// requests that reach it for each command line, and a refused hibernation.
#include "ProgramRun.h"
#include "support/LogindMock.h"

namespace {

using testing_program::Outcome;

class ProgramLogindTest : public testing_program::ProgramTest {
 protected:
  // Points the program at the mock instead of the power log.
  void useMock(LogindMock& mock) {
    environment.erase("VESPER_POWER_LOG");
    unsetVariables.push_back("VESPER_POWER_LOG");
    unsetVariables.push_back("XDG_SESSION_ID");
    std::erase(unsetVariables, std::string("DBUS_SYSTEM_BUS_ADDRESS"));
    environment["DBUS_SYSTEM_BUS_ADDRESS"] = mock.address();
  }
};

// The calls that ask logind to act, leaving out the look-ups that find the caller's session.
std::vector<std::string> actionCalls(LogindMock& mock) {
  std::vector<std::string> actions;
  for (const std::string& call : mock.calls()) {
    std::string method = call.substr(0, call.find(' '));
    for (const char* action : {"Suspend", "Hibernate", "Reboot", "PowerOff", "TerminateSession"})
      if (method == action) actions.push_back(call);
  }
  return actions;
}

struct MockCase {
  std::vector<std::string> arguments;
  std::vector<std::string> calls;
};

TEST_F(ProgramLogindTest, EachSwitchReachesLogindInOrderWithoutInteractiveAuthorisation) {
  const MockCase cases[] = {
      {{"-logoff", "-reboot"}, {"TerminateSession \"c7\"", "Reboot False"}},
      {{"/SHUTDOWN"}, {"PowerOff False"}},
      {{"-suspend", "-Hibernate"}, {"Suspend False", "Hibernate False"}},
      {{"--shutdown"}, {}},
      {{"shutdown"}, {}},
      {{"-shut"}, {}},
  };
  for (const MockCase& c : cases) {
    std::string name = ::testing::PrintToString(c.arguments);
    LogindMock mock;
    ASSERT_TRUE(mock.ready()) << mock.problem();
    useMock(mock);
    Outcome outcome = vesper(c.arguments);
    ASSERT_TRUE(outcome.exited) << name;
    EXPECT_EQ(outcome.err, "") << name;
    EXPECT_EQ(actionCalls(mock), c.calls) << name;
  }
}

TEST_F(ProgramLogindTest, ARefusedHibernationShowsTheMessageAndTheNextSwitchStillRuns) {
  LogindMock mock(LogindMock::FailHibernate);
  ASSERT_TRUE(mock.ready()) << mock.problem();
  useMock(mock);
  Outcome outcome = vesper({"-hibernate", "-reboot"});
  ASSERT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.err,
            "[vesper] Not Enough virtual Memory (Paging File)\r\n"
            "Solution 1: Close some of applications (which is using lots of memory) and try again.\r\n"
            "Solution 2: Increase minimum virtual memory (Paging File) size and reboot the system once.\n");
  EXPECT_EQ(mock.methods(), (std::vector<std::string>{"Hibernate", "Reboot"}));
}

}  // namespace
