#include <framework/Menu.h>

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::Attach(HMENU menu) {
  // An object holds one menu at a time; the old one is not silently lost.
  if (!menu || m_hMenu) return FALSE;
  m_hMenu = menu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  m_hMenu = nullptr;
  return menu;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) const {
  return ::AppendMenuW(m_hMenu, flags, idOrSubmenu, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) const {
  return ::InsertMenuW(m_hMenu, position, flags, idOrSubmenu, text);
}

BOOL CMenu::InsertMenuItem(UINT item, LPCMENUITEMINFOW info, BOOL byPosition) const {
  return ::InsertMenuItemW(m_hMenu, item, byPosition, info);
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text) const {
  return ::ModifyMenuW(m_hMenu, position, flags, idOrSubmenu, text);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) const { return ::DeleteMenu(m_hMenu, position, flags); }

BOOL CMenu::RemoveMenu(UINT position, UINT flags) const { return ::RemoveMenu(m_hMenu, position, flags); }

int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }

HMENU CMenu::GetSubMenuHandle(int position) const { return ::GetSubMenu(m_hMenu, position); }

UINT CMenu::CheckMenuItem(UINT item, UINT flags) const { return ::CheckMenuItem(m_hMenu, item, flags); }

BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) const {
  return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags) const {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, flags));
}

BOOL CMenu::SetMenuInfo(LPCMENUINFO info) const { return ::SetMenuInfo(m_hMenu, info); }

BOOL CMenu::GetMenuInfo(LPMENUINFO info) const { return ::GetMenuInfo(m_hMenu, info); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT unused) const {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, unused);
}

BOOL CMenu::TrackPopupMenuEx(UINT flags, int x, int y, CWnd* owner, LPTPMPARAMS params) const {
  return ::TrackPopupMenuEx(m_hMenu, flags, x, y, owner ? owner->GetSafeHwnd() : nullptr, params);
}
