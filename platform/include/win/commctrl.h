// Common-control initialisation. The platform's controls are always registered, so the call only
// checks its record and answers success.
#pragma once

#include <win/types.h>

typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;  // the caller sets sizeof(INITCOMMONCONTROLSEX), 8
  DWORD dwICC;   // the ICC_* classes wanted
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001u
#define ICC_TREEVIEW_CLASSES 0x00000002u
#define ICC_BAR_CLASSES 0x00000004u
#define ICC_TAB_CLASSES 0x00000008u
#define ICC_UPDOWN_CLASS 0x00000010u
#define ICC_PROGRESS_CLASS 0x00000020u
#define ICC_HOTKEY_CLASS 0x00000040u
#define ICC_ANIMATE_CLASS 0x00000080u
#define ICC_WIN95_CLASSES 0x000000FFu
#define ICC_DATE_CLASSES 0x00000100u
#define ICC_USEREX_CLASSES 0x00000200u
#define ICC_COOL_CLASSES 0x00000400u
#define ICC_INTERNET_CLASSES 0x00000800u
#define ICC_PAGESCROLLER_CLASS 0x00001000u
#define ICC_NATIVEFNTCTL_CLASS 0x00002000u
#define ICC_STANDARD_CLASSES 0x00004000u
#define ICC_LINK_CLASS 0x00008000u

// TRUE for a record of size 8 whose classes are all known ICC_* bits; FALSE with
// ERROR_INVALID_PARAMETER otherwise.
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
void WINAPI InitCommonControls();
