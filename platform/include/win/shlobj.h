// The shell's special folders. The platform has one system folder per user: the folder named by
// VESPER_SYSTEM_DIR (an absolute path), else $XDG_DATA_HOME/vesper/system (by default
// ~/.local/share/vesper/system). It is never a folder of the machine's own system, so programs that
// place files there need no privileges and touch nothing outside the user's data.
#pragma once

#include <win/types.h>

struct HWND__;
typedef HWND__* HWND;

// The folders SHGetSpecialFolderPathW knows.
#define CSIDL_SYSTEM 0x0025
// Added to a folder number: make the folder when it is missing.
#define CSIDL_FLAG_CREATE 0x8000

// Copies the folder's path (at most MAX_PATH units with the terminator) into `path`. The system
// folder always exists: it is made when missing. FALSE for an unknown folder, a path too long or a
// folder that cannot be made.
BOOL WINAPI SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int folder, BOOL create);
