// Without a display a message box cannot be answered by anyone: it writes to standard error and
// answers its default button at once.
#include "display/DisplaySelection.h"

#include <gtest/gtest.h>
#include <win/msgbox.h>

#include <cstdlib>
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
  unsetenv("VESPER_DISPLAY");
  ASSERT_FALSE(platform::display::DisplaySelection::available());
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

TEST(MessageBoxStandInTest, OnlyTheHeadlessValueOpensADisplay) {
  struct Case {
    const char* value;
    bool opens;
  } cases[] = {{nullptr, false}, {"", false}, {"headless", true}, {"x11", false}, {"HEADLESS", false}};
  for (const Case& c : cases)
    EXPECT_EQ(c.opens, platform::display::DisplaySelection::opensDisplay(c.value)) << (c.value ? c.value : "(unset)");
  EXPECT_TRUE(MessageBeep(MB_ICONHAND)) << "silent, and successful";
}

}  // namespace
