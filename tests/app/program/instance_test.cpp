// The single-instance rule across real processes: a start without arguments while the same executable
// runs ends at once, before the system check and the after-installation page; a copy of the
// executable in another folder is another program and goes on.
#include "ProgramRun.h"

namespace {

using testing_program::Outcome;

const std::string kProduct = "HKCU\\Software\\Tarn\\Tarn Vesper";

class ProgramSingleInstanceTest : public testing_program::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // A running copy: "-uninstall" keeps its process alive for two seconds after withdrawing the menu.
    first = start(program, {"-uninstall"}, "first");
    ASSERT_GT(first, 0);
    // It must have started running before the second start looks for it.
    for (int i = 0; i < 200 && !std::filesystem::exists("/proc/" + std::to_string(first) + "/exe"); ++i)
      usleep(5000);
    reg({"add", kProduct, "/v", "Silent", "/t", "REG_DWORD", "/d", "1", "/f"});
  }
  void TearDown() override {
    if (first > 0) finish(first, "first");
    ProgramTest::TearDown();
  }
  pid_t first = -1;
};

TEST_F(ProgramSingleInstanceTest, ASecondStartOfTheSameExecutableEndsWithoutDoingAnything) {
  // Refused by the system check if it got that far; it must not.
  environment["VESPER_WINVER"] = "6.1";
  Outcome second = vesper({});
  ASSERT_TRUE(second.exited);
  EXPECT_EQ(second.err, "");
  EXPECT_EQ(regValue(kProduct, "Silent"), "0x1");
  EXPECT_EQ(openerLog(), "");
}

TEST_F(ProgramSingleInstanceTest, ACopyInAnotherFolderIsNotTheRunningInstance) {
  std::string copy = placeProgram("copy");
  ASSERT_FALSE(copy.empty());
  Outcome other = run(copy, {});
  ASSERT_TRUE(other.exited);
  EXPECT_EQ(regValue(kProduct, "Silent"), "0x0");
  EXPECT_EQ(testing_program::lines(openerLog(1)).size(), 1u);
}

}  // namespace
