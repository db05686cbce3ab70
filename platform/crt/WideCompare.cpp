// Lengths and comparisons of wide text. Case folding covers only the capitals A-Z, so the order does not
// depend on any locale. Null texts are treated as empty rather than read.
#include <win/crt.h>

namespace {

const WCHAR* orEmpty(const WCHAR* text) { return text != nullptr ? text : u""; }

char16_t fold(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
}

char16_t same(char16_t unit) { return unit; }

template <char16_t (*Map)(char16_t)>
int compare(const WCHAR* left, const WCHAR* right, size_t count) {
  left = orEmpty(left);
  right = orEmpty(right);
  for (size_t i = 0; i < count; ++i) {
    char16_t a = Map(left[i]);
    char16_t b = Map(right[i]);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
  return 0;
}

constexpr size_t kWhole = static_cast<size_t>(-1);

}  // namespace

int WINAPI lstrlenW(LPCWSTR text) {
  if (text == nullptr) return 0;
  size_t length = 0;
  while (text[length] != 0) ++length;
  return static_cast<int>(length);
}

int _wcsicmp(const WCHAR* left, const WCHAR* right) { return compare<fold>(left, right, kWhole); }

int _wcsnicmp(const WCHAR* left, const WCHAR* right, size_t count) {
  return compare<fold>(left, right, count);
}

int wcscmp16(const WCHAR* left, const WCHAR* right) { return compare<same>(left, right, kWhole); }

int wcsncmp16(const WCHAR* left, const WCHAR* right, size_t count) {
  return compare<same>(left, right, count);
}
