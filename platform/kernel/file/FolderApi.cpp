// Attributes of files and folders, and making folders.
#include <win/error.h>
#include <win/file.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "kernel/file/FilePath.h"

using platform::kernel::file::setLastErrorFromErrno;
using platform::kernel::file::toPosixPath;

DWORD WINAPI GetFileAttributesW(LPCWSTR fileName) {
  std::string path;
  if (!toPosixPath(fileName, path)) return INVALID_FILE_ATTRIBUTES;
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    setLastErrorFromErrno(path);
    return INVALID_FILE_ATTRIBUTES;
  }
  DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
  // Read-only means that this user may not write it.
  if (::access(path.c_str(), W_OK) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes;
}

BOOL WINAPI CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES) {
  std::string path;
  if (!toPosixPath(pathName, path)) return FALSE;
  if (::mkdir(path.c_str(), 0777) != 0) {
    if (errno == ENOENT) {
      SetLastError(ERROR_PATH_NOT_FOUND);
    } else {
      setLastErrorFromErrno(path);
    }
    return FALSE;
  }
  return TRUE;
}
