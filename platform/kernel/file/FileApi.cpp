// Opening, reading, writing and sizing files through handles of the common handle table.
#include <win/error.h>
#include <win/file.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>

#include "kernel/file/FileObject.h"
#include "kernel/file/FilePath.h"
#include "kernel/handle/HandleTable.h"

using platform::kernel::file::FileObject;
using platform::kernel::file::setLastErrorFromErrno;
using platform::kernel::file::toPosixPath;

namespace {

// The open flags for a disposition; -1 for an unknown one.
int dispositionFlags(DWORD disposition) {
  switch (disposition) {
    case CREATE_NEW: return O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return O_CREAT | O_TRUNC;
    case OPEN_EXISTING: return 0;
    case OPEN_ALWAYS: return O_CREAT;
    case TRUNCATE_EXISTING: return O_TRUNC;
    default: return -1;
  }
}

// Retries a POSIX call that a signal interrupted (the platform's thread signals do that).
template <class Call>
auto retrying(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result < 0 && errno == EINTR);
  return result;
}

}  // namespace

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                          DWORD creationDisposition, DWORD, HANDLE) {
  std::string path;
  if (!toPosixPath(fileName, path)) return INVALID_HANDLE_VALUE;
  int disposition = dispositionFlags(creationDisposition);
  bool reading = (desiredAccess & GENERIC_READ) != 0;
  bool writing = (desiredAccess & GENERIC_WRITE) != 0;
  // Truncating needs write access, as on Win32.
  if (disposition < 0 || (creationDisposition == TRUNCATE_EXISTING && !writing)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  int access = reading && writing ? O_RDWR : (writing ? O_WRONLY : O_RDONLY);
  bool existed = false;
  if (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS) {
    struct stat before;
    existed = ::stat(path.c_str(), &before) == 0;
  }
  int fd = retrying([&] { return ::open(path.c_str(), access | disposition | O_CLOEXEC, 0666); });
  if (fd < 0) {
    if (errno == EEXIST) {
      SetLastError(ERROR_FILE_EXISTS);
    } else {
      setLastErrorFromErrno(path);
    }
    return INVALID_HANDLE_VALUE;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  auto* file = new (std::nothrow) FileObject(fd);
  if (!file) {
    ::close(fd);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = platform::kernel::handle::HandleTable::insert(file);
  if (!handle) {
    file->releaseReference();
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD bytesRead, LPOVERLAPPED overlapped) {
  if (bytesRead) *bytesRead = 0;
  if (overlapped || (!buffer && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  FileObject* file = FileObject::lookup(handle);
  if (!file) return FALSE;
  auto* out = static_cast<char*>(buffer);
  DWORD done = 0;
  BOOL ok = TRUE;
  // A regular file reads short only at its end; loop anyway for other kinds of file.
  while (done < count) {
    ssize_t got = retrying([&] { return ::read(file->fd(), out + done, count - done); });
    if (got < 0) {
      SetLastError(platform::kernel::file::errorFromErrno(errno));
      ok = FALSE;
      break;
    }
    if (got == 0) break;
    done += static_cast<DWORD>(got);
  }
  file->releaseReference();
  if (bytesRead) *bytesRead = done;
  return ok;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED overlapped) {
  if (bytesWritten) *bytesWritten = 0;
  if (overlapped || (!buffer && count > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  FileObject* file = FileObject::lookup(handle);
  if (!file) return FALSE;
  const auto* in = static_cast<const char*>(buffer);
  DWORD done = 0;
  BOOL ok = TRUE;
  while (done < count) {
    ssize_t put = retrying([&] { return ::write(file->fd(), in + done, count - done); });
    if (put <= 0) {
      SetLastError(put < 0 ? platform::kernel::file::errorFromErrno(errno) : ERROR_WRITE_FAULT);
      ok = FALSE;
      break;
    }
    done += static_cast<DWORD>(put);
  }
  file->releaseReference();
  if (bytesWritten) *bytesWritten = done;
  return ok;
}

BOOL WINAPI GetFileSizeEx(HANDLE handle, PLARGE_INTEGER size) {
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  FileObject* file = FileObject::lookup(handle);
  if (!file) return FALSE;
  struct stat info;
  bool ok = ::fstat(file->fd(), &info) == 0;
  if (ok) {
    size->QuadPart = static_cast<LONGLONG>(info.st_size);
  } else {
    SetLastError(platform::kernel::file::errorFromErrno(errno));
  }
  file->releaseReference();
  return ok ? TRUE : FALSE;
}

BOOL WINAPI SetEndOfFile(HANDLE handle) {
  FileObject* file = FileObject::lookup(handle);
  if (!file) return FALSE;
  off_t at = ::lseek(file->fd(), 0, SEEK_CUR);
  bool ok = at >= 0 && retrying([&] { return ::ftruncate(file->fd(), at); }) == 0;
  if (!ok) SetLastError(platform::kernel::file::errorFromErrno(errno));
  file->releaseReference();
  return ok ? TRUE : FALSE;
}
