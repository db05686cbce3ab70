// The executable's own file name, from the kernel's link to the running program.
#include <win/codepage.h>
#include <win/error.h>
#include <win/file.h>
#include <win/module.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

// The real path of the running executable in UTF-8; empty when the kernel does not tell.
std::string executablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t got = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (got < 0) return std::string();
    if (static_cast<size_t>(got) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(got));
    if (buffer.size() >= 65536) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  if (module && module != GetModuleHandleW(nullptr)) {
    // The built-in modules have no file of their own.
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!fileName && size > 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string path = executablePath();
  if (path.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  int units = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  if (units <= 0) {
    SetLastError(ERROR_INVALID_DATA);
    return 0;
  }
  std::vector<WCHAR> wide(static_cast<size_t>(units));
  MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), units);
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (static_cast<DWORD>(units) < size) {
    for (int i = 0; i < units; ++i) fileName[i] = wide[static_cast<size_t>(i)];
    fileName[units] = 0;
    return static_cast<DWORD>(units);
  }
  // Too small: as much as fits, terminated, and the size as the answer.
  for (DWORD i = 0; i + 1 < size; ++i) fileName[i] = wide[i];
  fileName[size - 1] = 0;
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}
