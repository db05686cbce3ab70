#include "user/menu/MenuStore.h"

namespace platform::user::menu {

namespace {

uint32_t valueOf(HMENU menu) {
  uintptr_t v = reinterpret_cast<uintptr_t>(menu);
  return v > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(v);
}

// Menus nested deeper than this are treated as a cycle, which a careless caller can build.
constexpr int maxDepth = 32;

}  // namespace

MenuStore& MenuStore::instance() {
  static MenuStore* store = new MenuStore();
  return *store;
}

HMENU MenuStore::add(bool popup) {
  auto menu = std::make_unique<Menu>();
  menu->popup = popup;
  menu->info.cbSize = sizeof(MENUINFO);
  uint32_t value = table_.add(std::move(menu));
  return reinterpret_cast<HMENU>(static_cast<uintptr_t>(value));
}

Menu* MenuStore::find(HMENU menu) const { return table_.find(valueOf(menu)); }

bool MenuStore::destroy(HMENU handle, bool deep) {
  std::unique_ptr<Menu> menu = table_.remove(valueOf(handle));
  if (!menu) return false;
  if (deep)
    for (const MenuItem& item : menu->items)
      if (item.submenu) destroy(item.submenu, true);
  return true;
}

std::optional<ItemPlace> MenuStore::locate(HMENU handle, UINT item, bool byPosition) {
  Menu* menu = find(handle);
  if (!menu) return std::nullopt;
  if (byPosition) {
    if (item >= menu->items.size()) return std::nullopt;
    return ItemPlace{menu, handle, item};
  }
  return findCommand(handle, item, 0);
}

std::optional<ItemPlace> MenuStore::findCommand(HMENU handle, UINT command, int depth) {
  Menu* menu = find(handle);
  if (!menu || depth > maxDepth) return std::nullopt;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.id == command && !item.separator()) return ItemPlace{menu, handle, i};
    if (item.submenu)
      if (auto inner = findCommand(item.submenu, command, depth + 1)) return inner;
  }
  return std::nullopt;
}

std::optional<Menu> MenuStore::snapshot(HMENU handle) {
  Menu* menu = find(handle);
  if (!menu) return std::nullopt;
  return *menu;
}

}  // namespace platform::user::menu
