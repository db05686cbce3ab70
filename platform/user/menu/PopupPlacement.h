// Where a popup menu goes on the screen: at the point the caller asked for, aligned as its flags say,
// and moved or flipped so that it stays inside the monitor's work area; submenus open beside the item
// that holds them, on the right when there is room and on the left otherwise.
#pragma once

#include <win/menu.h>

namespace platform::user::menu {

class PopupPlacement {
 public:
  static RECT forMenu(POINT at, SIZE size, UINT flags, const RECT& workArea);
  // `parent` is the open popup in screen coordinates, `itemTop` the screen top of the item.
  static RECT forSubmenu(const RECT& parent, int itemTop, SIZE size, const RECT& workArea);
  // The work area of the monitor nearest to the point.
  static RECT workAreaAt(POINT point);
};

}  // namespace platform::user::menu
