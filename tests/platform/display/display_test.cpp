// The choice of display backend from VESPER_DISPLAY and the headless display's own bookkeeping:
// presenting changed rectangles, stacking bands, opacity and shapes in the composed screen.
#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <gtest/gtest.h>

using platform::display::DisplaySelection;
using platform::display::Rect;
using platform::display::SurfaceView;
using platform::display::headless::HeadlessDisplay;

namespace {

TEST(DisplaySelection, HeadlessIsTheDefaultAndBadValuesSayWhyInOneLine) {
  struct Case {
    const char* value;
    bool complains;
  };
  const Case cases[] = {{nullptr, false}, {"", false}, {"headless", false}, {"x11", true}, {"wayland", true},
                        {"HEADLESS ", true}};
  for (const Case& c : cases) {
    ::testing::internal::CaptureStderr();
    EXPECT_STREQ("headless", DisplaySelection::backendFor(c.value));
    std::string said = ::testing::internal::GetCapturedStderr();
    if (!c.complains) {
      EXPECT_EQ("", said) << (c.value ? c.value : "(unset)");
    } else {
      EXPECT_EQ(1, std::count(said.begin(), said.end(), '\n')) << c.value;
      EXPECT_NE(std::string::npos, said.find("VESPER_DISPLAY")) << c.value;
    }
  }
  EXPECT_STREQ("headless", DisplaySelection::current().name());
}

TEST(HeadlessDisplay, KeepsOnlyTheChangedRectanglesOfAPresent) {
  HeadlessDisplay display;
  display.createWindow(1, Rect{0, 0, 4, 2}, false);
  std::vector<uint32_t> pixels(8, 0x111111);
  display.present(1, SurfaceView{pixels.data(), 4, 2, 16}, {Rect{0, 0, 4, 2}});
  std::fill(pixels.begin(), pixels.end(), 0x222222);
  display.present(1, SurfaceView{pixels.data(), 4, 2, 16}, {Rect{1, 0, 2, 1}});
  auto state = display.window(1);
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(0x111111u, state->pixels[0]);
  EXPECT_EQ(0x222222u, state->pixels[1]);
  EXPECT_EQ(0x111111u, state->pixels[5]);
  EXPECT_EQ(2, state->presents);
}

TEST(HeadlessDisplay, ComposesVisibleWindowsInStackingOrder) {
  HeadlessDisplay display;
  platform::display::ScreenInfo screen;
  screen.monitors.push_back({Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, true});
  display.setScreen(screen);
  std::vector<uint32_t> a(4, 0x0000FF), b(4, 0xFF0000);
  display.createWindow(1, Rect{0, 0, 4, 1}, false);
  display.createWindow(2, Rect{0, 0, 4, 1}, false);
  display.present(1, SurfaceView{a.data(), 4, 1, 16}, {Rect{0, 0, 4, 1}});
  display.present(2, SurfaceView{b.data(), 4, 1, 16}, {Rect{0, 0, 4, 1}});
  display.setVisible(1, true);
  display.setVisible(2, true);
  display.setShape(2, {Rect{2, 0, 4, 1}});
  display.setStacking(1, 0, true);  // topmost band, above window 2
  int width = 0, height = 0;
  auto pixels = display.composeScreen(&width, &height);
  ASSERT_EQ(4, width);
  EXPECT_EQ(0x0000FFu, pixels[3]);
  display.setStacking(1, 0, false);  // back to the bottom of the normal band
  pixels = display.composeScreen(&width, &height);
  EXPECT_EQ(0x0000FFu, pixels[0]) << "outside window 2's shape";
  EXPECT_EQ(0xFF0000u, pixels[3]);
  display.setOpacity(2, 0);
  pixels = display.composeScreen(&width, &height);
  EXPECT_EQ(0x0000FFu, pixels[3]) << "a fully transparent window shows what is beneath";
  display.setVisible(1, false);
  pixels = display.composeScreen(&width, &height);
  EXPECT_EQ(0u, pixels[0]);
}

}  // namespace
