#include "power/LogPowerBackend.h"

#include <fcntl.h>
#include <unistd.h>
#include <win/error.h>

#include <cerrno>
#include <cstdlib>

namespace platform::power {

namespace {

DWORD errorOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    default: return ERROR_WRITE_FAULT;
  }
}

}  // namespace

std::string LogPowerBackend::lineFor(PowerAction action) {
  std::string line = methodNameOf(action);
  if (action == PowerAction::LogOff) {
    const char* session = std::getenv("XDG_SESSION_ID");
    line += " session=";
    line += session && *session ? session : "auto";
  } else {
    line += " interactive=false";
  }
  line += " pid=" + std::to_string(::getpid());
  return line;
}

DWORD LogPowerBackend::request(PowerAction action) {
  if (path_.empty()) return ERROR_PATH_NOT_FOUND;
  int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return errorOf(errno);
  // One write per line, so that lines of several processes never mix in the file.
  std::string line = lineFor(action) + "\n";
  ssize_t written;
  do {
    written = ::write(fd, line.data(), line.size());
  } while (written < 0 && errno == EINTR);
  int writeError = errno;
  bool complete = written == static_cast<ssize_t>(line.size());
  if (::close(fd) != 0 && errno != EINTR && complete) return errorOf(errno);
  if (!complete) return written < 0 ? errorOf(writeError) : ERROR_WRITE_FAULT;
  return ERROR_SUCCESS;
}

}  // namespace platform::power
