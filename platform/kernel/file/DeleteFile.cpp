// Deleting files, keeping a loaded module in place as Windows does.
#include <win/error.h>
#include <win/file.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "kernel/file/FilePath.h"
#include "kernel/file/LoadedFiles.h"

using platform::kernel::file::isLoadedByAnyProcess;
using platform::kernel::file::setLastErrorFromErrno;
using platform::kernel::file::toPosixPath;

BOOL WINAPI DeleteFileW(LPCWSTR fileName) {
  std::string path;
  if (!toPosixPath(fileName, path)) return FALSE;
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) {
    setLastErrorFromErrno(path);
    return FALSE;
  }
  if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && isLoadedByAnyProcess(info))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::unlink(path.c_str()) != 0) {
    setLastErrorFromErrno(path);
    return FALSE;
  }
  return TRUE;
}
