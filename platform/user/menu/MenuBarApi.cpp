// The menu bar a top-level window carries. The bar is remembered per window and drawn by nobody yet:
// the toolkit draws its own bar, and a window's native bar is only stored and read back.
#include "user/menu/MenuStore.h"

#include <win/error.h>
#include <win/menu.h>

#include <map>

namespace {

std::map<HWND, HMENU>& bars() {
  static auto* map = new std::map<HWND, HMENU>();
  return *map;
}

bool topLevel(HWND window) { return IsWindow(window) && !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD); }

}  // namespace

BOOL WINAPI SetMenu(HWND window, HMENU menu) {
  if (!topLevel(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto& store = platform::user::menu::MenuStore::instance();
  auto guard = store.lock();
  if (menu && !store.find(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (menu)
    bars()[window] = menu;
  else
    bars().erase(window);
  return TRUE;
}

HMENU WINAPI GetMenu(HWND window) {
  auto& store = platform::user::menu::MenuStore::instance();
  auto guard = store.lock();
  auto it = bars().find(window);
  if (it == bars().end()) return nullptr;
  // A window that has gone, or a menu destroyed meanwhile, carries no bar.
  if (!IsWindow(window) || !store.find(it->second)) {
    bars().erase(it);
    return nullptr;
  }
  return it->second;
}

BOOL WINAPI DrawMenuBar(HWND window) {
  if (!topLevel(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}
