// The progress bar class: range and position messages with their answers and clamping, stepping
// that starts over past the end, and the share of the track its bar fills.
#include "platform/controls/UiSupport.h"

#include "user/controls/ProgressBar.h"

#include <win/controls.h>

using namespace uisupport;
using platform::user::controls::ProgressBar;

namespace {

TEST(ProgressBarFill, IsProportionalAndNeverOutsideTheTrack) {
  struct Case {
    int low, high, position, length, filled;
  } cases[] = {
      {0, 100, 50, 98, 49}, {0, 100, 0, 98, 0},   {0, 100, 100, 98, 98},  {0, 100, 150, 98, 98},
      {0, 100, -5, 98, 0},  {10, 20, 15, 100, 50}, {5, 5, 5, 100, 0},      {20, 10, 15, 100, 0},
      {-2147483647 - 1, 2147483647, 0, 1000, 500}, {0, 3, 1, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.filled, ProgressBar::filledLength(c.low, c.high, c.position, c.length))
        << c.low << ".." << c.high << " at " << c.position;
}

class Progress : public ::testing::Test {
 protected:
  void SetUp() override {
    display = openHeadless();
    parent.create(WS_POPUP | WS_VISIBLE, 50, 50, 200, 60);
    bar = CreateWindowExW(0, PROGRESS_CLASSW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 102, 16, parent.handle, nullptr,
                          nullptr, nullptr);
    ASSERT_NE(nullptr, bar);
  }
  void TearDown() override { DestroyWindow(parent.handle); }
  HeadlessDisplay* display = nullptr;
  Recorder parent;
  HWND bar = nullptr;
};

TEST_F(Progress, RangeAndPositionMessagesAnswerThePreviousValues) {
  EXPECT_EQ(MAKELRESULT(0, 100), SendMessageW(bar, PBM_SETRANGE32, 10, 1000));
  PBRANGE range{};
  EXPECT_EQ(10, SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
  EXPECT_EQ(1000, range.iHigh);
  EXPECT_EQ(1000, SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(10, SendMessageW(bar, PBM_GETPOS, 0, 0)) << "the position moved into the new range";
  struct Case {
    WPARAM position;
    LRESULT kept;
  } cases[] = {{500, 500}, {2000, 1000}, {static_cast<WPARAM>(-5), 10}, {10, 10}};
  LRESULT previous = 10;
  for (const Case& c : cases) {
    EXPECT_EQ(previous, SendMessageW(bar, PBM_SETPOS, c.position, 0));
    EXPECT_EQ(c.kept, SendMessageW(bar, PBM_GETPOS, 0, 0));
    previous = c.kept;
  }
  EXPECT_EQ(MAKELRESULT(10, 1000), SendMessageW(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 50)));
  EXPECT_EQ(10, SendMessageW(bar, PBM_DELTAPOS, 30, 0));
  EXPECT_EQ(40, SendMessageW(bar, PBM_GETPOS, 0, 0));
}

TEST_F(Progress, SteppingPastTheEndStartsOver) {
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETSTEP, 30, 0);
  std::vector<LRESULT> seen;
  for (int i = 0; i < 4; ++i) {
    SendMessageW(bar, PBM_STEPIT, 0, 0);
    seen.push_back(SendMessageW(bar, PBM_GETPOS, 0, 0));
  }
  EXPECT_EQ((std::vector<LRESULT>{30, 60, 90, 20}), seen);
}

TEST_F(Progress, TheBarFillsItsShareOfTheTrack) {
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETPOS, 50, 0);
  RedrawWindow(parent.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pump();
  EXPECT_EQ(RGB(6, 176, 37), presentedPixel(display, parent.handle, 25, 8));
  EXPECT_EQ(RGB(6, 176, 37), presentedPixel(display, parent.handle, 50, 8));
  EXPECT_EQ(RGB(230, 230, 230), presentedPixel(display, parent.handle, 52, 8));
  EXPECT_EQ(RGB(188, 188, 188), presentedPixel(display, parent.handle, 0, 8)) << "the frame";
  SendMessageW(bar, PBM_SETBARCOLOR, 0, RGB(0, 0, 255));
  UpdateWindow(bar);
  pump();
  EXPECT_EQ(RGB(0, 0, 255), presentedPixel(display, parent.handle, 25, 8));
}

}  // namespace
