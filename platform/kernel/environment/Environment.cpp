// The environment of the process, read through the C library and converted between UTF-8 and UTF-16.
#include <win/codepage.h>
#include <win/environment.h>
#include <win/error.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool toUtf8(const char16_t* text, size_t units, std::string& out) {
  out.clear();
  if (units == 0) return true;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(units), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.resize(static_cast<size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(units), out.data(), bytes, nullptr, nullptr);
  return true;
}

std::u16string toUtf16(const char* bytes) {
  int units = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(std::strlen(bytes)), nullptr, 0);
  std::u16string out;
  if (units <= 0) return out;
  out.resize(static_cast<size_t>(units));
  MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(std::strlen(bytes)), out.data(), units);
  return out;
}

// The value of the variable named by `units`, or false when it is not set.
bool lookUp(const char16_t* units, size_t count, std::u16string& value) {
  std::string name;
  if (count == 0 || !toUtf8(units, count, name) || name.find('=') != std::string::npos) return false;
  const char* found = std::getenv(name.c_str());
  if (!found) return false;
  value = toUtf16(found);
  return true;
}

size_t lengthOf(const char16_t* text) {
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

}  // namespace

DWORD WINAPI GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
  std::u16string value;
  if (!name || !lookUp(name, lengthOf(name), value)) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  if (!buffer || value.size() + 1 > size) return static_cast<DWORD>(value.size() + 1);
  std::memcpy(buffer, value.c_str(), (value.size() + 1) * sizeof(char16_t));
  return static_cast<DWORD>(value.size());
}

DWORD WINAPI ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size) {
  if (!source) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string out;
  size_t length = lengthOf(source);
  size_t i = 0;
  while (i < length) {
    if (source[i] != u'%') {
      out.push_back(source[i++]);
      continue;
    }
    size_t close = i + 1;
    while (close < length && source[close] != u'%') ++close;
    std::u16string value;
    if (close < length && lookUp(source + i + 1, close - i - 1, value)) {
      out += value;
      i = close + 1;
    } else if (close < length) {
      // An unknown name stays as written; its closing "%" may open the next reference.
      out.append(source + i, close - i);
      i = close;
    } else {
      out.append(source + i, length - i);
      i = length;
    }
  }
  DWORD needed = static_cast<DWORD>(out.size() + 1);
  if (destination && needed <= size) std::memcpy(destination, out.c_str(), needed * sizeof(char16_t));
  return needed;
}
