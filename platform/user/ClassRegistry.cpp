#include "user/ClassRegistry.h"

#include <algorithm>

namespace platform::user {

namespace {

char16_t fold(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool sameName(const std::u16string& a, LPCWSTR b) {
  size_t i = 0;
  for (; i < a.size(); ++i)
    if (b[i] == 0 || fold(a[i]) != fold(b[i])) return false;
  return b[i] == 0;
}

}  // namespace

ATOM ClassRegistry::add(const WNDCLASSW& d) {
  if (!d.lpszClassName || IS_INTRESOURCE(d.lpszClassName) || !d.lpszClassName[0] || !d.lpfnWndProc) return 0;
  if (d.cbWndExtra < 0 || d.cbClsExtra < 0 || d.cbWndExtra > 4096 || d.cbClsExtra > 4096) return 0;
  if (find(d.lpszClassName)) return 0;
  auto c = std::make_shared<WindowClass>();
  c->name = d.lpszClassName;
  c->atom = nextAtom_++;
  c->style = d.style;
  c->procedure = d.lpfnWndProc;
  c->classExtraBytes = d.cbClsExtra;
  c->windowExtraBytes = d.cbWndExtra;
  c->instance = d.hInstance;
  c->icon = d.hIcon;
  c->cursor = d.hCursor;
  c->background = d.hbrBackground;
  classes_.push_back(c);
  return c->atom;
}

std::shared_ptr<WindowClass> ClassRegistry::find(LPCWSTR nameOrAtom) const {
  if (!nameOrAtom) return nullptr;
  for (const auto& c : classes_) {
    if (IS_INTRESOURCE(nameOrAtom) ? c->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom))
                                   : sameName(c->name, nameOrAtom))
      return c;
  }
  return nullptr;
}

bool ClassRegistry::remove(LPCWSTR nameOrAtom) {
  auto c = find(nameOrAtom);
  if (!c || c->windows > 0) return false;
  classes_.erase(std::remove(classes_.begin(), classes_.end(), c), classes_.end());
  return true;
}

}  // namespace platform::user
