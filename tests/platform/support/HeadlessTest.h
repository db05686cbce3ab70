// The fixture of tests that drive windows on the headless display with the keyboard: the display is
// opened before each test, and key() presses and lets go of one key.
#pragma once

#include "platform/controls/UiSupport.h"

namespace uisupport {

class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override { display = openHeadless(); }
  void key(unsigned vk) {
    display->injectKey(vk, true);
    display->injectKey(vk, false);
  }
  HeadlessDisplay* display = nullptr;
};

}  // namespace uisupport
