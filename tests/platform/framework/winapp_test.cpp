// The application object: AfxWinMain's order of calls, the argument vector, the names and the
// application's message box.
#include <framework/WinApp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <win/windows.h>

#include <string>
#include <vector>

namespace {

std::string narrow(const WCHAR* text) {
  std::string out;
  for (; text && *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

struct Param {
  std::string text;
  bool flag;
  bool last;
  bool operator==(const Param&) const = default;
};

class RecordingInfo : public CCommandLineInfo {
 public:
  void ParseParam(LPCWSTR param, BOOL flag, BOOL last) override {
    params.push_back({narrow(param), flag != FALSE, last != FALSE});
  }
  std::vector<Param> params;
};

class TestApp : public CWinApp {
 public:
  explicit TestApp(BOOL answer, LPCWSTR name = nullptr) : CWinApp(name), answer_(answer) {}
  BOOL InitInstance() override {
    calls.push_back("InitInstance");
    ParseCommandLine(info);
    return answer_;
  }
  int Run() override {
    calls.push_back("Run");
    return CWinApp::Run();
  }
  int ExitInstance() override {
    calls.push_back("ExitInstance");
    return 7;
  }
  std::vector<std::string> calls;
  RecordingInfo info;

 private:
  BOOL answer_;
};

// AfxWinMain over a writable copy of the given arguments.
int runMain(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return AfxWinMain(static_cast<int>(args.size()), argv.data());
}

std::string executableStem() {
  WCHAR path[4096];
  DWORD n = GetModuleFileNameW(nullptr, path, 4096);
  std::string full = narrow(path).substr(0, n);
  return full.substr(full.rfind('/') + 1);
}

}  // namespace

TEST(WinApp, FailedInitialisationEndsWithoutTheLoop) {
  TestApp app(FALSE);
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(runMain({"/opt/vesper/vesper"}), 7);
  EXPECT_EQ(app.calls, (std::vector<std::string>{"InitInstance", "ExitInstance"}));
}

TEST(WinApp, SuccessfulInitialisationRunsTheLoop) {
  TestApp app(TRUE);
  EXPECT_EQ(runMain({"vesper"}), 7);
  EXPECT_EQ(app.calls, (std::vector<std::string>{"InitInstance", "Run", "ExitInstance"}));
}

TEST(WinApp, ParseCommandLineHandsOverEachArgumentInOrder) {
  TestApp app(FALSE);
  runMain({"vesper", "/SHUTDOWN", "--shutdown", "shutdown", "-shut", "-", "", "a b", "/"});
  EXPECT_EQ(app.info.params, (std::vector<Param>{{"SHUTDOWN", true, false},
                                                 {"-shutdown", true, false},
                                                 {"shutdown", false, false},
                                                 {"shut", true, false},
                                                 {"", true, false},
                                                 {"", false, false},
                                                 {"a b", false, false},
                                                 {"", true, true}}));
  EXPECT_EQ(app.GetArgumentCount(), 9);
  EXPECT_EQ(narrow(app.GetArgument(0)), "vesper");
  EXPECT_EQ(narrow(app.GetArgument(7)), "a b");
  EXPECT_EQ(app.GetArgument(9), nullptr);
  EXPECT_EQ(app.GetArgument(-1), nullptr);
}

TEST(WinApp, NoArgumentsParseToNothing) {
  TestApp app(FALSE);
  runMain({"vesper"});
  EXPECT_TRUE(app.info.params.empty());
  EXPECT_EQ(narrow(app.m_lpCmdLine), "");
}

TEST(WinApp, TheCommandLineTextQuotesWhatNeedsIt) {
  struct Case {
    std::vector<std::string> args;
    std::string text;
  } cases[] = {
      {{"vesper", "-reboot", "-logoff"}, "-reboot -logoff"},
      {{"vesper", "a b"}, "\"a b\""},
      {{"vesper", ""}, "\"\""},
      {{"vesper", "say \"hi\""}, "\"say \\\"hi\\\"\""},
      {{"vesper", "C:\\dir\\"}, "C:\\dir\\"},
      {{"vesper", "C:\\my dir\\"}, "\"C:\\my dir\\\\\""},
  };
  for (const Case& c : cases) {
    TestApp app(FALSE);
    runMain(c.args);
    EXPECT_EQ(narrow(app.m_lpCmdLine), c.text) << c.args[1];
  }
}

TEST(WinApp, InvalidUtf8ArgumentsBecomeReplacementCharacters) {
  TestApp app(FALSE);
  runMain({"vesper", "a\xff" "b"});
  ASSERT_EQ(app.GetArgumentCount(), 2);
  EXPECT_EQ(std::u16string(app.GetArgument(1)), u"a\uFFFDb");
}

TEST(WinApp, TheApplicationIsNamedAfterTheExecutable) {
  TestApp unnamed(FALSE);
  runMain({"/somewhere/else/other-name.exe"});
  // The running executable, not argv[0], names the application.
  EXPECT_EQ(narrow(unnamed.m_pszAppName), executableStem());
  EXPECT_EQ(narrow(unnamed.m_pszExeName), executableStem());
  EXPECT_EQ(unnamed.m_hInstance, GetModuleHandleW(nullptr));
}

TEST(WinApp, AGivenNameIsKept) {
  TestApp named(FALSE, u"Tarn Vesper");
  EXPECT_EQ(narrow(named.m_pszAppName), "Tarn Vesper");
  runMain({"vesper"});
  EXPECT_EQ(narrow(named.m_pszAppName), "Tarn Vesper");
  EXPECT_EQ(narrow(named.m_pszExeName), executableStem());
}

TEST(WinApp, OnlyTheFirstObjectIsTheApplication) {
  TestApp first(FALSE);
  {
    TestApp second(FALSE);
    EXPECT_EQ(AfxGetApp(), &first);
  }
  EXPECT_EQ(AfxGetApp(), &first);
}

TEST(WinApp, WithoutAnApplicationObjectMainFails) {
  ASSERT_EQ(AfxGetApp(), nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(runMain({"vesper"}), 1);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("no application object"), std::string::npos);
}

TEST(WinApp, TheMessageBoxIsCaptionedWithTheApplicationsName) {
  {
    TestApp app(FALSE, u"Tarn Vesper");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox(u"Hello", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "[Tarn Vesper] Hello\n");
  }
  ::testing::internal::CaptureStderr();
  AfxMessageBox(u"Alone");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "[" + executableStem() + "] Alone\n");
}

TEST(WinApp, ModuleFileNameIsTheRealExecutablePath) {
  WCHAR path[4096];
  DWORD n = GetModuleFileNameW(nullptr, path, 4096);
  ASSERT_GT(n, 0u);
  char* real = realpath("/proc/self/exe", nullptr);
  ASSERT_NE(real, nullptr);
  EXPECT_EQ(narrow(path), real);
  free(real);
}
