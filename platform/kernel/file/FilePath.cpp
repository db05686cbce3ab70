#include "kernel/file/FilePath.h"

#include <win/codepage.h>
#include <win/error.h>

#include <sys/stat.h>

#include <cerrno>

namespace platform::kernel::file {

bool toPosixPath(LPCWSTR path, std::string& out) {
  out.clear();
  if (!path || path[0] == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  int needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, path, -1, nullptr, 0, nullptr, nullptr);
  if (needed <= 1) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  out.resize(static_cast<size_t>(needed));
  int written = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, path, -1, out.data(), needed, nullptr, nullptr);
  if (written != needed) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  out.resize(static_cast<size_t>(needed - 1));  // drop the terminator that was converted too
  for (char& c : out)
    if (c == '\\') c = '/';
  return true;
}

DWORD errorFromErrno(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EFBIG: return ERROR_ARITHMETIC_OVERFLOW;
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_GEN_FAILURE;
  }
}

void setLastErrorFromErrno(const std::string& path) {
  int error = errno;
  if (error == ENOENT) {
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
      struct stat info;
      std::string parent = path.substr(0, slash);
      if (::stat(parent.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return;
      }
    }
  }
  SetLastError(errorFromErrno(error));
}

}  // namespace platform::kernel::file
