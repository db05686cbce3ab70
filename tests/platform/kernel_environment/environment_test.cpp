#include <gtest/gtest.h>
#include <stdlib.h>
#include <win/environment.h>
#include <win/error.h>

#include <string>

namespace {

TEST(EnvironmentTest, ExpandsKnownNamesAndKeepsUnknownOnes) {
  ASSERT_EQ(setenv("VESPER_ENV_A", "alpha", 1), 0);
  ASSERT_EQ(setenv("VESPER_ENV_E", "", 1), 0);
  unsetenv("VESPER_ENV_MISSING");
  struct Case {
    const char16_t* source;
    const char16_t* expanded;
  } cases[] = {
      {u"%VESPER_ENV_A%", u"alpha"},
      {u"x%VESPER_ENV_A%y%VESPER_ENV_A%", u"xalphayalpha"},
      {u"%VESPER_ENV_MISSING%", u"%VESPER_ENV_MISSING%"},
      {u"%VESPER_ENV_MISSING%VESPER_ENV_A%", u"%VESPER_ENV_MISSINGalpha"},
      {u"100%", u"100%"},
      {u"%%", u"%%"},
      {u"[%VESPER_ENV_E%]", u"[]"},
      {u"", u""},
  };
  for (const Case& c : cases) {
    char16_t out[64];
    DWORD needed = ExpandEnvironmentStringsW(c.source, out, 64);
    EXPECT_EQ(std::u16string(out), c.expanded);
    EXPECT_EQ(needed, std::u16string(c.expanded).size() + 1);
  }
}

TEST(EnvironmentTest, TooSmallBuffersGetTheNeededSizeAndNothingWritten) {
  ASSERT_EQ(setenv("VESPER_ENV_A", "alpha", 1), 0);
  char16_t out[4] = {u'k', u'k', u'k', 0};
  EXPECT_EQ(ExpandEnvironmentStringsW(u"%VESPER_ENV_A%", out, 4), 6u);
  EXPECT_EQ(out[0], u'k');
  EXPECT_EQ(GetEnvironmentVariableW(u"VESPER_ENV_A", out, 4), 6u);
  char16_t room[8];
  EXPECT_EQ(GetEnvironmentVariableW(u"VESPER_ENV_A", room, 8), 5u);
  EXPECT_EQ(std::u16string(room), u"alpha");
  unsetenv("VESPER_ENV_MISSING");
  EXPECT_EQ(GetEnvironmentVariableW(u"VESPER_ENV_MISSING", room, 8), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

}  // namespace
