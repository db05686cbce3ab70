// Turns the UTF-16 paths of the file calls into POSIX paths in UTF-8, and the error numbers of the
// POSIX calls into Win32 error codes.
#pragma once

#include <win/types.h>

#include <string>

namespace platform::kernel::file {

// The path in UTF-8 with every "\" read as "/". False (with ERROR_INVALID_NAME or
// ERROR_PATH_NOT_FOUND set) for a null, empty or badly encoded path.
bool toPosixPath(LPCWSTR path, std::string& out);

// The Win32 error for a POSIX errno value of a file operation.
DWORD errorFromErrno(int error);

// Sets the last error from errno; for ENOENT it tells a missing file (ERROR_FILE_NOT_FOUND) from
// a missing folder on the way (ERROR_PATH_NOT_FOUND), as Win32 does.
void setLastErrorFromErrno(const std::string& path);

}  // namespace platform::kernel::file
