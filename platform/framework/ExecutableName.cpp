#include "framework/ExecutableName.h"

#include <win/file.h>
#include <win/module.h>

#include <vector>

namespace platform::framework {

std::u16string ExecutableName::stemOf(const std::u16string& path) {
  size_t slash = path.find_last_of(u"/\\");
  std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind(u'.');
  if (dot != std::u16string::npos && dot > 0) name.resize(dot);
  return name;
}

std::u16string ExecutableName::current(const std::u16string& fallbackPath) {
  std::vector<WCHAR> buffer(4096);
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return stemOf(fallbackPath);
  return stemOf(std::u16string(buffer.data(), length));
}

}  // namespace platform::framework
