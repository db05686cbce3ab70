// MessageBoxW before the window system shows real boxes: the caption and text go to standard error
// and the answer is the box's default button, so that callers run on as if the user had confirmed.
#include <win/codepage.h>
#include <win/msgbox.h>

#include <cstdio>
#include <string>

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

// The buttons of each set, left to right; the default button indexes this list.
struct ButtonSet {
  int count;
  int answers[3];
};

const ButtonSet kButtonSets[] = {
    {1, {IDOK, 0, 0}},                          // MB_OK
    {2, {IDOK, IDCANCEL, 0}},                   // MB_OKCANCEL
    {3, {IDABORT, IDRETRY, IDIGNORE}},          // MB_ABORTRETRYIGNORE
    {3, {IDYES, IDNO, IDCANCEL}},               // MB_YESNOCANCEL
    {2, {IDYES, IDNO, 0}},                      // MB_YESNO
    {2, {IDRETRY, IDCANCEL, 0}},                // MB_RETRYCANCEL
    {3, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},    // MB_CANCELTRYCONTINUE
};

}  // namespace

int WINAPI MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  UINT set = type & MB_TYPEMASK;
  if (set >= sizeof kButtonSets / sizeof kButtonSets[0]) return 0;
  const ButtonSet& buttons = kButtonSets[set];
  // A default button beyond the set falls back to the first one, as a real box does.
  int index = static_cast<int>((type & MB_DEFMASK) >> 8);
  if (index >= buttons.count) index = 0;
  std::string captionText = caption ? toUtf8(caption) : std::string("Error");
  std::fprintf(stderr, "[%s] %s\n", captionText.c_str(), toUtf8(text).c_str());
  std::fflush(stderr);
  return buttons.answers[index];
}
