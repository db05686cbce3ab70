// TrackPopupMenu and TrackPopupMenuEx: check the request, track the menu, then deliver the choice.
#include "user/menu/MenuTracker.h"

#include <win/error.h>
#include <win/menu.h>

namespace {

BOOL track(HMENU menu, UINT flags, int x, int y, HWND owner) {
  if (!IsMenu(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  // One menu at a time on a thread; a second request while one is open is refused.
  if (platform::user::menu::MenuTracker::current()) return FALSE;
  platform::user::menu::MenuTracker tracker(owner, flags);
  UINT chosen = tracker.run(menu, POINT{x, y});
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen && !(flags & TPM_NONOTIFY)) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
  return TRUE;
}

}  // namespace

BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return track(menu, flags, x, y, owner);
}

BOOL WINAPI TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params) {
  if (params && params->cbSize != sizeof(TPMPARAMS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return track(menu, flags, x, y, owner);
}
