// The framework's menu: one object owns one menu handle (destroyed with the object unless detached)
// and offers the menu functions as members, popup tracking included.
#pragma once

#include <framework/Wnd.h>

#include <win/menu.h>

class CMenu {
 public:
  CMenu() = default;
  virtual ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;

  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL DestroyMenu();
  BOOL Attach(HMENU menu);
  HMENU Detach();

  BOOL AppendMenu(UINT flags, UINT_PTR idOrSubmenu = 0, LPCWSTR text = nullptr) const;
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu = 0, LPCWSTR text = nullptr) const;
  BOOL InsertMenuItem(UINT item, LPCMENUITEMINFOW info, BOOL byPosition = FALSE) const;
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu = 0, LPCWSTR text = nullptr) const;
  BOOL DeleteMenu(UINT position, UINT flags) const;
  BOOL RemoveMenu(UINT position, UINT flags) const;
  int GetMenuItemCount() const;
  UINT GetMenuItemID(int position) const;
  UINT GetMenuState(UINT item, UINT flags) const;
  HMENU GetSubMenuHandle(int position) const;
  UINT CheckMenuItem(UINT item, UINT flags) const;
  BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) const;
  UINT EnableMenuItem(UINT item, UINT flags) const;
  BOOL SetMenuInfo(LPCMENUINFO info) const;
  BOOL GetMenuInfo(LPMENUINFO info) const;
  // Tracks the popup at a screen point for the owner window; see TrackPopupMenu.
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT unused = nullptr) const;
  BOOL TrackPopupMenuEx(UINT flags, int x, int y, CWnd* owner, LPTPMPARAMS params) const;
};
