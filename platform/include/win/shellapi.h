// Shell execution: ShellExecuteExW with the verb "open", which hands an address (a web page, a file)
// to the desktop's default application.
//
// How the Win32 semantics are met on Linux: the address is given to xdg-open, found on PATH and
// started with an argument vector (never through a shell), the address as its one argument. The
// call succeeds once xdg-open has started; failing to start it fails the call. xdg-open is reaped by
// the platform, so no process is left behind; with SEE_MASK_NOCLOSEPROCESS the caller also gets a
// handle of it, signalled when it ends.
#pragma once

#include <win/types.h>

struct HWND__;
typedef HWND__* HWND;
struct HICON__;
typedef HICON__* HICON;
struct HKEY__;
typedef HKEY__* HKEY;

#define SEE_MASK_DEFAULT 0x00000000u
#define SEE_MASK_CLASSNAME 0x00000001u
#define SEE_MASK_CLASSKEY 0x00000003u
#define SEE_MASK_IDLIST 0x00000004u
#define SEE_MASK_NOCLOSEPROCESS 0x00000040u
#define SEE_MASK_NOASYNC 0x00000100u
#define SEE_MASK_FLAG_NO_UI 0x00000400u
#define SEE_MASK_UNICODE 0x00004000u
#define SEE_MASK_NO_CONSOLE 0x00008000u
#define SEE_MASK_NOZONECHECKS 0x00800000u

// Codes of hInstApp: above 32 on success.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

typedef struct _SHELLEXECUTEINFOW {
  DWORD cbSize;  // the caller sets sizeof(SHELLEXECUTEINFOW)
  ULONG fMask;
  HWND hwnd;
  LPCWSTR lpVerb;        // null or "open" (ignoring case)
  LPCWSTR lpFile;        // the address to open
  LPCWSTR lpParameters;  // not used for opening an address
  LPCWSTR lpDirectory;   // working folder of xdg-open, when given
  int nShow;
  HINSTANCE hInstApp;
  void* lpIDList;
  LPCWSTR lpClass;
  HKEY hkeyClass;
  DWORD dwHotKey;
  union {
    HANDLE hIcon;
    HANDLE hMonitor;
  };
  HANDLE hProcess;
} SHELLEXECUTEINFOW, *LPSHELLEXECUTEINFOW;

// Opens lpFile. FALSE with the last error: ERROR_INVALID_PARAMETER for a null record or a wrong size,
// ERROR_FILE_NOT_FOUND for a missing address or when xdg-open cannot be started,
// ERROR_NO_ASSOCIATION for a verb other than "open".
BOOL WINAPI ShellExecuteExW(SHELLEXECUTEINFOW* executeInfo);
