// The menus of the process: each menu is a list of items kept under a handle, so that a menu can be
// built on one thread and tracked on another. Items are found by position or by command, the
// command search going into submenus in item order, as menu functions look items up.
#pragma once

#include "handles/HandleTable.h"

#include <win/menu.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace platform::user::menu {

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_* bits
  UINT state = 0;          // MFS_* bits
  UINT id = 0;
  HMENU submenu = nullptr;
  ULONG_PTR data = 0;
  std::u16string text;
  bool separator() const { return (type & MFT_SEPARATOR) != 0; }
  bool grayed() const { return (state & MFS_GRAYED) != 0; }
  bool checked() const { return (state & MFS_CHECKED) != 0; }
};

struct Menu {
  bool popup = false;
  std::vector<MenuItem> items;
  MENUINFO info{};
};

// Where an item was found: the menu that holds it and its position there.
struct ItemPlace {
  Menu* menu = nullptr;
  HMENU handle = nullptr;
  size_t index = 0;
  MenuItem& item() const { return menu->items[index]; }
};

class MenuStore {
 public:
  static MenuStore& instance();

  using Lock = std::unique_lock<std::recursive_mutex>;
  Lock lock() { return Lock(mutex_); }

  // Under the lock.
  HMENU add(bool popup);
  Menu* find(HMENU menu) const;
  // Removes the menu and, when `deep`, the submenus of its items.
  bool destroy(HMENU menu, bool deep);
  std::optional<ItemPlace> locate(HMENU menu, UINT item, bool byPosition);
  // A copy of a menu's items, for drawing and tracking outside the lock.
  std::optional<Menu> snapshot(HMENU menu);

 private:
  MenuStore() = default;
  std::optional<ItemPlace> findCommand(HMENU menu, UINT command, int depth);

  mutable std::recursive_mutex mutex_;
  handles::HandleTable<Menu> table_;
};

}  // namespace platform::user::menu
