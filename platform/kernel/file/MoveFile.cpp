// Moving files: a rename within one file system, a copy and delete across file systems when the
// caller allows it. A destination that is a loaded module is never replaced, as on Windows.
#include <win/error.h>
#include <win/file.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "kernel/file/FilePath.h"
#include "kernel/file/LoadedFiles.h"

using platform::kernel::file::errorFromErrno;
using platform::kernel::file::isLoadedByAnyProcess;
using platform::kernel::file::setLastErrorFromErrno;
using platform::kernel::file::toPosixPath;

namespace {

constexpr DWORD kKnownFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder's entries (a rename, a new file) durable.
void syncFolder(const std::string& path) {
  int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

// rename, or rename refusing an existing destination.
bool renameFile(const std::string& from, const std::string& to, bool replace) {
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0;
  return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

// Copies every byte of `from` into the open file `out`; errno tells why when it fails.
bool copyBytes(int out, const std::string& from) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    for (ssize_t done = 0; ok && done < got;) {
      ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) ok = false;
      else done += put;
    }
    if (!ok) break;
  }
  int saved = errno;
  ::close(in);
  errno = saved;
  return ok;
}

// The move across file systems: a copy beside the destination, renamed into place, then the source
// deleted. A failure leaves the source untouched and no partial destination.
BOOL copyThenDelete(const std::string& from, const std::string& to, const struct stat& source, DWORD flags) {
  std::string temporary = to + ".moving-XXXXXX";
  int out = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (out < 0) {
    setLastErrorFromErrno(to);
    return FALSE;
  }
  bool ok = copyBytes(out, from) && ::fchmod(out, source.st_mode & 07777) == 0;
  if (ok && (flags & MOVEFILE_WRITE_THROUGH)) ok = ::fsync(out) == 0;
  int saved = errno;
  if (::close(out) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok) {
    ok = renameFile(temporary, to, (flags & MOVEFILE_REPLACE_EXISTING) != 0);
    saved = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    SetLastError(saved == EEXIST ? ERROR_ALREADY_EXISTS : errorFromErrno(saved));
    return FALSE;
  }
  if (flags & MOVEFILE_WRITE_THROUGH) syncFolder(to);
  // The copy is complete; a source that cannot be deleted is reported, and nothing is lost.
  if (::unlink(from.c_str()) != 0) {
    setLastErrorFromErrno(from);
    return FALSE;
  }
  if (flags & MOVEFILE_WRITE_THROUGH) syncFolder(from);
  return TRUE;
}

}  // namespace

BOOL WINAPI MoveFileExW(LPCWSTR existingFileName, LPCWSTR newFileName, DWORD flags) {
  if ((flags & ~kKnownFlags) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string from, to;
  if (!toPosixPath(existingFileName, from) || !toPosixPath(newFileName, to)) return FALSE;
  struct stat source;
  if (::lstat(from.c_str(), &source) != 0) {
    setLastErrorFromErrno(from);
    return FALSE;
  }
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  struct stat target;
  if (::stat(to.c_str(), &target) == 0 &&
      !(target.st_dev == source.st_dev && target.st_ino == source.st_ino)) {
    if (!replace) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return FALSE;
    }
    if (S_ISDIR(target.st_mode) || isLoadedByAnyProcess(target)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
  }
  if (renameFile(from, to, replace)) {
    if (flags & MOVEFILE_WRITE_THROUGH) syncFolder(to);
    return TRUE;
  }
  if (errno == ENOENT) {
    setLastErrorFromErrno(to);  // the destination's folder is missing
    return FALSE;
  }
  if (errno != EXDEV) {
    SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS : errorFromErrno(errno));
    return FALSE;
  }
  if (!(flags & MOVEFILE_COPY_ALLOWED)) {
    SetLastError(ERROR_NOT_SAME_DEVICE);
    return FALSE;
  }
  if (!S_ISREG(source.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return copyThenDelete(from, to, source, flags);
}
