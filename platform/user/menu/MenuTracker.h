// The modal tracking of a popup menu: it opens the menu's "#32768" window, then runs its own message
// loop on the calling thread until an item is chosen or the menu is dismissed (Escape, a click
// outside, WM_CLOSE to a menu window, the owner going away). Mouse and keyboard input of the thread
// go to the menu; every other message, timers included, is dispatched as usual. Submenus open beside
// their item on hover, with the right arrow or with Enter.
#pragma once

#include "user/menu/PopupLayout.h"

#include <optional>
#include <vector>

namespace platform::user::menu {

class MenuTracker {
 public:
  MenuTracker(HWND owner, UINT flags) : owner_(owner), flags_(flags) {}

  // Answers the chosen command, or 0 when the menu was dismissed or could not be shown.
  UINT run(HMENU menu, POINT at);
  // Ends the tracking without a choice; safe to call from the menu windows' procedure.
  void dismiss();
  void paint(HWND window, HDC dc) const;

  // The tracker running on the calling thread, if any.
  static MenuTracker* current();

 private:
  struct Level {
    HMENU handle = nullptr;
    Menu menu;
    PopupLayout layout;
    HWND window = nullptr;
    RECT screen{0, 0, 0, 0};
    int selected = -1;
  };

  bool openLevel();
  void closeLevelsAbove(size_t keep);
  void select(size_t level, int item);
  void selectNext(int direction);
  void openSelected(bool selectFirst);
  void activate(size_t level, int item);
  void choose(UINT command);
  // The deepest level under a screen point and the item there (-1 between items); nullopt outside.
  std::optional<std::pair<size_t, int>> hit(POINT screen) const;
  void mouse(const MSG& msg);
  void key(const MSG& msg);
  void mnemonic(WCHAR letter);
  void keepCapture();
  void passOn(const MSG& msg);

  HWND owner_;
  UINT flags_;
  std::vector<Level> levels_;
  bool done_ = false;
  UINT chosen_ = 0;
  std::optional<MSG> passThrough_;
};

// The window class of the menu windows.
WNDCLASSW popupMenuClass();

}  // namespace platform::user::menu
