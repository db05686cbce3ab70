// The menu functions over the process's menu store: building, changing and reading menus and items.
#include "user/menu/MenuStore.h"

#include <win/error.h>
#include <win/menu.h>

#include <algorithm>
#include <cstddef>
#include <optional>

using platform::user::menu::ItemPlace;
using platform::user::menu::Menu;
using platform::user::menu::MenuItem;
using platform::user::menu::MenuStore;

namespace {

MenuStore& store() { return MenuStore::instance(); }

bool bad(DWORD error) {
  SetLastError(error);
  return false;
}

std::u16string textOf(LPCWSTR text) {
  if (!text || IS_INTRESOURCE(text)) return std::u16string();
  return std::u16string(text);
}

// An item from the flags and arguments of AppendMenuW, InsertMenuW and ModifyMenuW.
MenuItem itemFromFlags(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  MenuItem item;
  item.type = flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
  if (flags & MF_POPUP) {
    item.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
    item.id = static_cast<UINT>(idOrSubmenu);
  } else {
    item.id = static_cast<UINT>(idOrSubmenu);
  }
  if (!(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW))) item.text = textOf(text);
  if (item.separator()) item.id = 0;
  return item;
}

// The item a call names, with the reason set as the last error when there is none: a handle that
// is no menu, or no such item in it. The caller holds the store's lock.
std::optional<ItemPlace> itemOf(HMENU handle, UINT position, bool byPosition) {
  if (!store().find(handle)) {
    bad(ERROR_INVALID_MENU_HANDLE);
    return std::nullopt;
  }
  auto place = store().locate(handle, position, byPosition);
  if (!place) bad(ERROR_MENU_ITEM_NOT_FOUND);
  return place;
}

bool validSubmenu(const MenuItem& item, HMENU owner) {
  return !item.submenu || (item.submenu != owner && store().find(item.submenu));
}

bool insertAt(HMENU handle, UINT position, bool byPosition, MenuItem item) {
  auto guard = store().lock();
  Menu* menu = store().find(handle);
  if (!menu) return bad(ERROR_INVALID_MENU_HANDLE);
  if (!validSubmenu(item, handle)) return bad(ERROR_INVALID_MENU_HANDLE);
  if (byPosition || position == static_cast<UINT>(-1)) {
    size_t at = std::min<size_t>(position, menu->items.size());
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return true;
  }
  auto place = store().locate(handle, position, false);
  if (!place) return bad(ERROR_MENU_ITEM_NOT_FOUND);
  place->menu->items.insert(place->menu->items.begin() + static_cast<std::ptrdiff_t>(place->index), std::move(item));
  return true;
}

// Copies the fields that `info` names into the item.
void applyInfo(MenuItem& item, const MENUITEMINFOW& info) {
  if (info.fMask & MIIM_TYPE) {
    item.type = info.fType;
    item.text = (info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) ? std::u16string() : textOf(info.dwTypeData);
  }
  if (info.fMask & MIIM_FTYPE) item.type = info.fType;
  if (info.fMask & MIIM_STRING) item.text = textOf(info.dwTypeData);
  if (info.fMask & MIIM_STATE) item.state = info.fState;
  if (info.fMask & MIIM_ID) item.id = info.wID;
  if (info.fMask & MIIM_SUBMENU) item.submenu = info.hSubMenu;
  if (info.fMask & MIIM_DATA) item.data = info.dwItemData;
}

bool infoUsable(LPCMENUITEMINFOW info) {
  return info && info->cbSize >= offsetof(MENUITEMINFOW, hbmpItem);
}

UINT stateFlags(const MenuItem& item) {
  UINT flags = (item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT)) |
               (item.type & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK));
  return flags;
}

bool removeItem(HMENU handle, UINT position, UINT flags, bool destroySubmenu) {
  auto guard = store().lock();
  auto place = itemOf(handle, position, (flags & MF_BYPOSITION) != 0);
  if (!place) return false;
  HMENU submenu = place->item().submenu;
  place->menu->items.erase(place->menu->items.begin() + static_cast<std::ptrdiff_t>(place->index));
  if (destroySubmenu && submenu) store().destroy(submenu, true);
  return true;
}

}  // namespace

HMENU WINAPI CreateMenu() {
  auto guard = store().lock();
  return store().add(false);
}

HMENU WINAPI CreatePopupMenu() {
  auto guard = store().lock();
  return store().add(true);
}

BOOL WINAPI DestroyMenu(HMENU menu) {
  auto guard = store().lock();
  return store().destroy(menu, true) ? TRUE : bad(ERROR_INVALID_MENU_HANDLE);
}

BOOL WINAPI IsMenu(HMENU menu) {
  auto guard = store().lock();
  return store().find(menu) != nullptr;
}

BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  return insertAt(menu, static_cast<UINT>(-1), true, itemFromFlags(flags, idOrSubmenu, text));
}

BOOL WINAPI InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  return insertAt(menu, position, (flags & MF_BYPOSITION) != 0, itemFromFlags(flags, idOrSubmenu, text));
}

BOOL WINAPI InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
  if (!infoUsable(info)) return bad(ERROR_INVALID_PARAMETER);
  MenuItem made;
  applyInfo(made, *info);
  if (made.separator()) made.text.clear();
  return insertAt(menu, item, byPosition != FALSE, std::move(made));
}

BOOL WINAPI ModifyMenuW(HMENU handle, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) {
  auto guard = store().lock();
  auto place = itemOf(handle, position, (flags & MF_BYPOSITION) != 0);
  if (!place) return FALSE;
  MenuItem item = itemFromFlags(flags, idOrSubmenu, text);
  if (!validSubmenu(item, place->handle)) return bad(ERROR_INVALID_MENU_HANDLE);
  item.data = place->item().data;
  place->item() = std::move(item);
  return TRUE;
}

BOOL WINAPI GetMenuItemInfoW(HMENU handle, UINT position, BOOL byPosition, LPMENUITEMINFOW info) {
  if (!infoUsable(info)) return bad(ERROR_INVALID_PARAMETER);
  auto guard = store().lock();
  auto place = itemOf(handle, position, byPosition != FALSE);
  if (!place) return FALSE;
  const MenuItem& item = place->item();
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = item.type;
  if (info->fMask & MIIM_STATE) info->fState = item.state;
  if (info->fMask & MIIM_ID) info->wID = item.id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = item.submenu;
  if (info->fMask & MIIM_DATA) info->dwItemData = item.data;
  if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
    // With a buffer the text is copied (cut to fit); either way cch answers the text's length.
    if (info->dwTypeData && info->cch > 0) {
      size_t n = std::min<size_t>(item.text.size(), info->cch - 1);
      std::copy_n(item.text.data(), n, info->dwTypeData);
      info->dwTypeData[n] = 0;
    }
    info->cch = static_cast<UINT>(item.text.size());
  }
  return TRUE;
}

BOOL WINAPI SetMenuItemInfoW(HMENU handle, UINT position, BOOL byPosition, LPCMENUITEMINFOW info) {
  if (!infoUsable(info)) return bad(ERROR_INVALID_PARAMETER);
  auto guard = store().lock();
  auto place = itemOf(handle, position, byPosition != FALSE);
  if (!place) return FALSE;
  MenuItem changed = place->item();
  applyInfo(changed, *info);
  if (!validSubmenu(changed, place->handle)) return bad(ERROR_INVALID_MENU_HANDLE);
  place->item() = std::move(changed);
  return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, true); }

BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, false); }

int WINAPI GetMenuItemCount(HMENU handle) {
  auto guard = store().lock();
  Menu* menu = store().find(handle);
  if (!menu) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return -1;
  }
  return static_cast<int>(menu->items.size());
}

UINT WINAPI GetMenuItemID(HMENU handle, int position) {
  auto guard = store().lock();
  Menu* menu = store().find(handle);
  if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size()) return static_cast<UINT>(-1);
  const MenuItem& item = menu->items[static_cast<size_t>(position)];
  return item.submenu ? static_cast<UINT>(-1) : item.id;
}

UINT WINAPI GetMenuState(HMENU handle, UINT position, UINT flags) {
  auto guard = store().lock();
  auto place = store().locate(handle, position, (flags & MF_BYPOSITION) != 0);
  if (!place) return static_cast<UINT>(-1);
  const MenuItem& item = place->item();
  UINT state = stateFlags(item);
  if (item.submenu) {
    Menu* sub = store().find(item.submenu);
    UINT count = sub ? static_cast<UINT>(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
    return (count << 8) | (state & 0xFF) | MF_POPUP;
  }
  return state;
}

HMENU WINAPI GetSubMenu(HMENU handle, int position) {
  auto guard = store().lock();
  if (position < 0) return nullptr;
  auto place = store().locate(handle, static_cast<UINT>(position), true);
  return place ? place->item().submenu : nullptr;
}

int WINAPI GetMenuStringW(HMENU handle, UINT position, LPWSTR text, int capacity, UINT flags) {
  auto guard = store().lock();
  auto place = store().locate(handle, position, (flags & MF_BYPOSITION) != 0);
  if (!place) return 0;
  const std::u16string& s = place->item().text;
  if (!text || capacity <= 0) return static_cast<int>(s.size());
  size_t n = std::min<size_t>(s.size(), static_cast<size_t>(capacity) - 1);
  std::copy_n(s.data(), n, text);
  text[n] = 0;
  return static_cast<int>(n);
}

DWORD WINAPI CheckMenuItem(HMENU handle, UINT position, UINT flags) {
  auto guard = store().lock();
  auto place = store().locate(handle, position, (flags & MF_BYPOSITION) != 0);
  if (!place) return static_cast<DWORD>(-1);
  MenuItem& item = place->item();
  DWORD previous = item.checked() ? MF_CHECKED : MF_UNCHECKED;
  item.state = (item.state & ~static_cast<UINT>(MFS_CHECKED)) | (flags & MF_CHECKED);
  return previous;
}

BOOL WINAPI CheckMenuRadioItem(HMENU handle, UINT first, UINT last, UINT check, UINT flags) {
  auto guard = store().lock();
  bool byPosition = (flags & MF_BYPOSITION) != 0;
  auto firstPlace = store().locate(handle, first, byPosition);
  auto lastPlace = store().locate(handle, last, byPosition);
  auto checkPlace = store().locate(handle, check, byPosition);
  // The group is a run of items of one menu; the item to check must lie inside it.
  if (!firstPlace || !lastPlace || !checkPlace || firstPlace->menu != lastPlace->menu ||
      checkPlace->menu != firstPlace->menu)
    return FALSE;
  size_t from = std::min(firstPlace->index, lastPlace->index), to = std::max(firstPlace->index, lastPlace->index);
  if (checkPlace->index < from || checkPlace->index > to) return FALSE;
  for (size_t i = from; i <= to; ++i) {
    MenuItem& item = firstPlace->menu->items[i];
    if (i == checkPlace->index) {
      item.type |= MFT_RADIOCHECK;
      item.state |= MFS_CHECKED;
    } else {
      item.type &= ~static_cast<UINT>(MFT_RADIOCHECK);
      item.state &= ~static_cast<UINT>(MFS_CHECKED);
    }
  }
  return TRUE;
}

BOOL WINAPI EnableMenuItem(HMENU handle, UINT position, UINT flags) {
  auto guard = store().lock();
  auto place = store().locate(handle, position, (flags & MF_BYPOSITION) != 0);
  if (!place) return -1;
  MenuItem& item = place->item();
  BOOL previous = static_cast<BOOL>(item.state & (MF_GRAYED | MF_DISABLED));
  item.state = (item.state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return previous;
}

namespace {

void applyMenuInfo(HMENU handle, const MENUINFO& info, int depth) {
  Menu* menu = store().find(handle);
  if (!menu || depth > 32) return;
  if (info.fMask & MIM_STYLE) menu->info.dwStyle = info.dwStyle;
  if (info.fMask & MIM_MAXHEIGHT) menu->info.cyMax = info.cyMax;
  if (info.fMask & MIM_BACKGROUND) menu->info.hbrBack = info.hbrBack;
  if (info.fMask & MIM_HELPID) menu->info.dwContextHelpID = info.dwContextHelpID;
  if (info.fMask & MIM_MENUDATA) menu->info.dwMenuData = info.dwMenuData;
  if (info.fMask & MIM_APPLYTOSUBMENUS)
    for (const MenuItem& item : std::vector<MenuItem>(menu->items))
      if (item.submenu) applyMenuInfo(item.submenu, info, depth + 1);
}

}  // namespace

BOOL WINAPI SetMenuInfo(HMENU handle, LPCMENUINFO info) {
  if (!info || info->cbSize != sizeof(MENUINFO)) return bad(ERROR_INVALID_PARAMETER);
  auto guard = store().lock();
  if (!store().find(handle)) return bad(ERROR_INVALID_MENU_HANDLE);
  applyMenuInfo(handle, *info, 0);
  return TRUE;
}

BOOL WINAPI GetMenuInfo(HMENU handle, LPMENUINFO info) {
  if (!info || info->cbSize != sizeof(MENUINFO)) return bad(ERROR_INVALID_PARAMETER);
  auto guard = store().lock();
  Menu* menu = store().find(handle);
  if (!menu) return bad(ERROR_INVALID_MENU_HANDLE);
  if (info->fMask & MIM_STYLE) info->dwStyle = menu->info.dwStyle;
  if (info->fMask & MIM_MAXHEIGHT) info->cyMax = menu->info.cyMax;
  if (info->fMask & MIM_BACKGROUND) info->hbrBack = menu->info.hbrBack;
  if (info->fMask & MIM_HELPID) info->dwContextHelpID = menu->info.dwContextHelpID;
  if (info->fMask & MIM_MENUDATA) info->dwMenuData = menu->info.dwMenuData;
  return TRUE;
}
