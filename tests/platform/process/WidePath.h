// Small helpers of the process tests: UTF-16 texts of fixed fields and the real paths they name.
#pragma once

#include <stdlib.h>
#include <win/windows.h>

#include <string>

inline std::string narrow(const WCHAR* text) {
  std::string out;
  for (; *text; ++text) out += static_cast<char>(*text < 0x80 ? *text : '?');
  return out;
}

inline std::string realPath(const char* path) {
  char* resolved = ::realpath(path, nullptr);
  std::string out = resolved ? resolved : "";
  ::free(resolved);
  return out;
}

inline std::string ownExecutable() {
  WCHAR path[4096];
  DWORD n = GetModuleFileNameW(nullptr, path, 4096);
  return n ? narrow(path) : std::string();
}
