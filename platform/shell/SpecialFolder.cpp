// The special folders of the shell on the platform's per-user folders.
#include <win/codepage.h>
#include <win/error.h>
#include <win/file.h>
#include <win/shlobj.h>

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "shell/SystemFolder.h"

namespace {

// Makes the folder and any missing folder above it (private to the user where new).
bool makeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    std::string part = slash == std::string::npos ? path : path.substr(0, slash);
    struct stat info;
    if (::stat(part.c_str(), &info) != 0) {
      if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    } else if (!S_ISDIR(info.st_mode)) {
      return false;
    }
    if (slash == std::string::npos) return true;
  }
}

}  // namespace

BOOL WINAPI SHGetSpecialFolderPathW(HWND, LPWSTR path, int folder, BOOL) {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  path[0] = 0;
  if ((folder & ~CSIDL_FLAG_CREATE) != CSIDL_SYSTEM) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string text = shell::systemFolder();
  if (!makeFolders(text)) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0 || units >= MAX_PATH) {
    SetLastError(units <= 0 ? ERROR_INVALID_NAME : ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), path, units);
  path[units] = 0;
  return TRUE;
}
