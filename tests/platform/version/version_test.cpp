// GetVersionExW: NT 5.1 by default, VESPER_WINVER as "major.minor", malformed values reported once.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <win/windows.h>

#include <optional>
#include <string>

namespace {

class VersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* value = getenv("VESPER_WINVER");
    if (value) saved_ = value;
  }
  void TearDown() override {
    if (saved_) setenv("VESPER_WINVER", saved_->c_str(), 1);
    else unsetenv("VESPER_WINVER");
  }
  static void use(const char* value) {
    if (value) setenv("VESPER_WINVER", value, 1);
    else unsetenv("VESPER_WINVER");
  }

 private:
  std::optional<std::string> saved_;
};

OSVERSIONINFOEXW readExtended() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  EXPECT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&info)));
  return info;
}

std::string narrow(const WCHAR* text) {
  std::string out;
  for (; *text; ++text) out += static_cast<char>(*text);
  return out;
}

}  // namespace

TEST_F(VersionTest, ReportsTheNamedVersion) {
  struct Case {
    const char* setting;
    DWORD major, minor, build;
    const char* servicePack;
    BYTE productType;
  } cases[] = {
      {nullptr, 5, 1, 2600, "Service Pack 3", VER_NT_WORKSTATION},
      {"", 5, 1, 2600, "Service Pack 3", VER_NT_WORKSTATION},
      {"5.0", 5, 0, 2195, "Service Pack 4", VER_NT_WORKSTATION},
      {"5.1", 5, 1, 2600, "Service Pack 3", VER_NT_WORKSTATION},
      {"5.2", 5, 2, 3790, "Service Pack 2", VER_NT_SERVER},
      {"6.0", 6, 0, 6002, "Service Pack 2", VER_NT_WORKSTATION},
      {"6.1", 6, 1, 7601, "Service Pack 1", VER_NT_WORKSTATION},
      {"10.0", 10, 0, 19045, "", VER_NT_WORKSTATION},
      {"7.3", 7, 3, 0, "", VER_NT_WORKSTATION},
      {"05.01", 5, 1, 2600, "Service Pack 3", VER_NT_WORKSTATION},
  };
  for (const auto& c : cases) {
    use(c.setting);
    OSVERSIONINFOEXW info = readExtended();
    std::string what = c.setting ? c.setting : "(unset)";
    EXPECT_EQ(info.dwMajorVersion, c.major) << what;
    EXPECT_EQ(info.dwMinorVersion, c.minor) << what;
    EXPECT_EQ(info.dwBuildNumber, c.build) << what;
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT)) << what;
    EXPECT_EQ(narrow(info.szCSDVersion), c.servicePack) << what;
    EXPECT_EQ(info.wProductType, c.productType) << what;
  }
}

TEST_F(VersionTest, AMalformedValueGivesTheDefaultAndOneLine) {
  const char* cases[] = {"abc", "6", "6.", ".1", "6.1.7601", "6,1", "-6.1", " 6.1", "6.1 ", "1000.1",
                         "256.0", "0.0", "6.x", "+6.1"};
  for (const char* value : cases) {
    use(value);
    ::testing::internal::CaptureStderr();
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_TRUE(GetVersionExW(&info)) << value;
    EXPECT_TRUE(GetVersionExW(&info)) << value;  // the second read says nothing more
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(info.dwMajorVersion, 5u) << value;
    EXPECT_EQ(info.dwMinorVersion, 1u) << value;
    EXPECT_EQ(err, std::string("vesper: VESPER_WINVER=\"") + value +
                       "\" is not a version such as \"5.1\"; reporting 5.1\n")
        << value;
  }
}

TEST_F(VersionTest, TheRecordSizeDecidesTheForm) {
  use("6.1");
  struct Case {
    DWORD size;
    BOOL ok;
  } cases[] = {{sizeof(OSVERSIONINFOW), TRUE}, {sizeof(OSVERSIONINFOEXW), TRUE}, {0, FALSE},
               {sizeof(OSVERSIONINFOW) - 1, FALSE}, {sizeof(OSVERSIONINFOW) + 4, FALSE}, {1000, FALSE}};
  for (const Case& c : cases) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = c.size;
    info.wProductType = 0x55;
    SetLastError(0);
    EXPECT_EQ(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&info)), c.ok) << c.size;
    if (c.ok) {
      EXPECT_EQ(info.dwOSVersionInfoSize, c.size);
      EXPECT_EQ(info.dwMajorVersion, 6u);
      // The short record leaves the extended fields alone.
      EXPECT_EQ(info.wProductType, c.size == sizeof(OSVERSIONINFOW) ? 0x55 : VER_NT_WORKSTATION);
    } else {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << c.size;
    }
  }
  EXPECT_FALSE(GetVersionExW(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
