#include "user32/MessageBoxStandIn.h"

#include "user32/ButtonSets.h"

#include <win/codepage.h>

#include <cstdio>
#include <string>

namespace platform::user32 {

namespace {

std::string toUtf8(LPCWSTR text) {
  if (!text) return std::string();
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return std::string();
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.resize(static_cast<size_t>(bytes) - 1);
  return out;
}

}  // namespace

int MessageBoxStandIn::answer(LPCWSTR text, LPCWSTR caption, UINT type) {
  ButtonSet buttons;
  if (!ButtonSets::forType(type, &buttons)) return 0;
  std::string captionText = caption ? toUtf8(caption) : std::string("Error");
  std::fprintf(stderr, "[%s] %s\n", captionText.c_str(), toUtf8(text).c_str());
  std::fflush(stderr);
  return buttons.answers[ButtonSets::defaultIndex(type, buttons)];
}

}  // namespace platform::user32
