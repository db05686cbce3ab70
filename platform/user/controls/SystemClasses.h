// Registers the window classes that every process has without asking: the BUTTON class, the
// progress bar, the popup-menu window ("#32768") and the message-box dialog ("#32770").
#pragma once

#include "user/ClassRegistry.h"

namespace platform::user::controls {

class SystemClasses {
 public:
  static void registerAll(ClassRegistry& registry);
};

}  // namespace platform::user::controls
