// The operating-system check of window mode, on each version the platform can report.
#include "ProgramRun.h"

namespace {

using testing_program::Outcome;

const std::string kProduct = "HKCU\\Software\\Tarn\\Tarn Vesper";
const std::string kRefusal =
    "[vesper] This Operating System is currently not supported by this Application. We are sorry for the "
    "inconvenience.\n";

class ProgramVersionCheckTest : public testing_program::ProgramTest {};

struct VersionCase {
  const char* version;  // null: the platform's default
  bool passes;
};

TEST_F(ProgramVersionCheckTest, OnlyNt51And52PassTheCheck) {
  const VersionCase cases[] = {
      {nullptr, true}, {"5.1", true}, {"5.2", true}, {"5.0", false}, {"6.0", false}, {"6.1", false}, {"10.0", false},
  };
  for (const VersionCase& c : cases) {
    std::string name = c.version ? c.version : "default";
    if (c.version)
      environment["VESPER_WINVER"] = c.version;
    else
      environment.erase("VESPER_WINVER");
    reg({"add", kProduct, "/v", "Silent", "/t", "REG_DWORD", "/d", "1", "/f"});
    std::remove((folder + "/xdg-open.log").c_str());
    Outcome outcome = vesper({});
    ASSERT_TRUE(outcome.exited) << name;
    EXPECT_EQ(outcome.err, c.passes ? "" : kRefusal) << name;
    // Past the check comes the after-installation page; a refused start never gets there.
    EXPECT_EQ(regValue(kProduct, "Silent"), c.passes ? "0x0" : "0x1") << name;
    EXPECT_EQ(openerLog(c.passes ? 1 : 0).empty(), !c.passes) << name;
    EXPECT_EQ(powerLog(), "") << name;
  }
}

}  // namespace
