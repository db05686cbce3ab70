#include "kernel/process/WideText.h"

#include <win/codepage.h>

namespace platform::kernel::process {

std::u16string WideText::fromUtf8(const std::string& text) {
  std::u16string out;
  if (text.empty()) return out;
  int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (units <= 0) return out;
  out.resize(static_cast<size_t>(units));
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), units);
  return out;
}

std::string WideText::toUtf8(LPCWSTR text) {
  std::string out;
  if (!text || !text[0]) return out;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return out;
  out.resize(static_cast<size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.resize(static_cast<size_t>(bytes) - 1);
  return out;
}

void WideText::copyTo(const std::u16string& text, WCHAR* field, size_t capacity) {
  if (capacity == 0) return;
  size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  for (size_t i = 0; i < n; ++i) field[i] = text[i];
  field[n] = 0;
}

}  // namespace platform::kernel::process
