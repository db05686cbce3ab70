#include <gtest/gtest.h>
#include <win/msgbox.h>

#include <string>

namespace {

TEST(MessageBoxStandInTest, AnswersTheDefaultButtonAndWritesToStandardError) {
  struct Case {
    UINT type;
    int answer;
  } cases[] = {
      {MB_OK, IDOK},
      {MB_OK | MB_ICONHAND, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_RETRYCANCEL | MB_DEFBUTTON4, IDRETRY},  // beyond the set: the first button
      {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE},
      {0x0F, 0},  // no such button set
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStderr();
    int answer = MessageBoxW(nullptr, u"Body \u00e9", u"Caption", c.type);
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, c.answer) << std::hex << c.type;
    if (c.answer != 0) {
      EXPECT_EQ(written, "[Caption] Body \xc3\xa9\n");
    }
  }
}

}  // namespace
