#include "user/controls/SystemClasses.h"

#include "user/controls/Button.h"
#include "user/controls/ProgressBar.h"
#include "user/menu/MenuTracker.h"
#include "user32/MessageBoxDialog.h"

namespace platform::user::controls {

void SystemClasses::registerAll(ClassRegistry& registry) {
  registry.add(Button::windowClass());
  registry.add(ProgressBar::windowClass());
  registry.add(menu::popupMenuClass());
  registry.add(user32::MessageBoxDialog::windowClass());
}

}  // namespace platform::user::controls
