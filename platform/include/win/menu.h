// Menus: menu bars and popup menus built from items (text, separators, submenus), their check, radio
// and enabled states, the menu-data word, and the modal tracking of a popup menu at a screen point.
#pragma once

#include <win/types.h>
#include <win/gdi.h>
#include <win/user.h>

// Item flags of AppendMenuW, InsertMenuW, ModifyMenuW and the answers of GetMenuState.
#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_OWNERDRAW 0x00000100L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_DEFAULT 0x00001000L
#define MF_RIGHTJUSTIFY 0x00004000L

// Item types and states of MENUITEMINFOW.
#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200L
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000L
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY
#define MFS_GRAYED 0x00000003L
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

// Which fields of MENUITEMINFOW are read or written.
#define MIIM_STATE 0x00000001
#define MIIM_ID 0x00000002
#define MIIM_SUBMENU 0x00000004
#define MIIM_CHECKMARKS 0x00000008
#define MIIM_TYPE 0x00000010
#define MIIM_DATA 0x00000020
#define MIIM_STRING 0x00000040
#define MIIM_BITMAP 0x00000080
#define MIIM_FTYPE 0x00000100

// Which fields of MENUINFO are read or written.
#define MIM_MAXHEIGHT 0x00000001
#define MIM_BACKGROUND 0x00000002
#define MIM_HELPID 0x00000004
#define MIM_MENUDATA 0x00000008
#define MIM_STYLE 0x00000010
#define MIM_APPLYTOSUBMENUS 0x80000000L

// TrackPopupMenu options.
#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L
#define TPM_RECURSE 0x0001L
#define TPM_HORPOSANIMATION 0x0400L
#define TPM_HORNEGANIMATION 0x0800L
#define TPM_VERPOSANIMATION 0x1000L
#define TPM_VERNEGANIMATION 0x2000L
#define TPM_NOANIMATION 0x4000L
#define TPM_LAYOUTRTL 0x8000L

// Menu messages beyond those of win/messages.h.
#ifndef WM_MENUSELECT
#define WM_MENUSELECT 0x011F
#endif
#ifndef WM_MENUCHAR
#define WM_MENUCHAR 0x0120
#endif
#ifndef WM_ENTERIDLE
#define WM_ENTERIDLE 0x0121
#endif
#ifndef WM_UNINITMENUPOPUP
#define WM_UNINITMENUPOPUP 0x0125
#endif

#ifndef ERROR_MENU_ITEM_NOT_FOUND
#define ERROR_MENU_ITEM_NOT_FOUND 1456L
#endif

// The class name of the window that shows a tracked popup menu.
#define POPUPMENU_CLASSW u"#32768"

typedef struct tagMENUITEMINFOW {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPWSTR dwTypeData;
  UINT cch;
  HBITMAP hbmpItem;
} MENUITEMINFOW, *LPMENUITEMINFOW;
typedef const MENUITEMINFOW* LPCMENUITEMINFOW;

typedef struct tagMENUINFO {
  DWORD cbSize;
  DWORD fMask;
  DWORD dwStyle;
  UINT cyMax;
  HBRUSH hbrBack;
  DWORD dwContextHelpID;
  ULONG_PTR dwMenuData;
} MENUINFO, *LPMENUINFO;
typedef const MENUINFO* LPCMENUINFO;

typedef struct tagTPMPARAMS {
  UINT cbSize;
  RECT rcExclude;  // screen area the menu must not cover
} TPMPARAMS, *LPTPMPARAMS;

HMENU WINAPI CreateMenu();
HMENU WINAPI CreatePopupMenu();
// Destroys the menu and, with it, every submenu it holds.
BOOL WINAPI DestroyMenu(HMENU menu);
BOOL WINAPI IsMenu(HMENU menu);
BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
BOOL WINAPI InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
BOOL WINAPI InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
BOOL WINAPI ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR text);
BOOL WINAPI GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info);
BOOL WINAPI SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
// DeleteMenu destroys the submenu of the removed item; RemoveMenu leaves it to the caller.
BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags);
int WINAPI GetMenuItemCount(HMENU menu);
UINT WINAPI GetMenuItemID(HMENU menu, int position);
UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags);
HMENU WINAPI GetSubMenu(HMENU menu, int position);
int WINAPI GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int capacity, UINT flags);
DWORD WINAPI CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL WINAPI CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL WINAPI EnableMenuItem(HMENU menu, UINT item, UINT flags);
BOOL WINAPI SetMenuInfo(HMENU menu, LPCMENUINFO info);
BOOL WINAPI GetMenuInfo(HMENU menu, LPMENUINFO info);
// The menu bar of a top-level window.
BOOL WINAPI SetMenu(HWND window, HMENU menu);
HMENU WINAPI GetMenu(HWND window);
BOOL WINAPI DrawMenuBar(HWND window);
// Shows the popup menu at a screen point and tracks it until it closes. With TPM_RETURNCMD the
// chosen command is the answer (0 when none); otherwise it reaches the owner as WM_COMMAND.
BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* unused);
BOOL WINAPI TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
