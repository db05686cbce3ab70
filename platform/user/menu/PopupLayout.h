// The arrangement of one open popup menu: the size of its window and the rectangle of each item in
// the window's client coordinates, measured with the menu font; and the painting of the popup with
// its hover highlight, check and radio marks, greyed items, separators and submenu arrows.
#pragma once

#include "user/menu/MenuStore.h"

#include <vector>

namespace platform::user::menu {

struct PopupLayout {
  static constexpr int border = 1;
  static constexpr int padding = 2;
  static constexpr int checkColumn = 26;
  static constexpr int arrowColumn = 22;
  static constexpr int separatorHeight = 7;

  SIZE size{0, 0};
  std::vector<RECT> items;

  static PopupLayout measure(const Menu& menu);
  // The item under a client point, or -1; separators are never hit.
  int itemAt(const Menu& menu, POINT client) const;
  void paint(HDC dc, const Menu& menu, int selected) const;
};

}  // namespace platform::user::menu
