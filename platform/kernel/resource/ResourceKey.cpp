// Resource names and types as lookups compare them. String names are compared ignoring ASCII case only;
// the names the build embeds are restricted to ASCII, so nothing more is needed to match them.
#include "kernel/resource/ResourceKey.h"

namespace platform::kernel::resource {

namespace {

char16_t foldCase(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool equalIgnoringCase(const char16_t* a, const char16_t* b) {
  for (; *a && *b; ++a, ++b)
    if (foldCase(*a) != foldCase(*b)) return false;
  return *a == *b;
}

}  // namespace

ResourceKey::ResourceKey(LPCWSTR argument) {
  if (IS_INTRESOURCE(argument)) {
    id_ = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(argument));
    return;
  }
  if (argument[0] != u'#') {
    text_ = argument;
    return;
  }
  // "#130": decimal digits only, within the range of an integer id.
  unsigned long value = 0;
  const char16_t* c = argument + 1;
  valid_ = *c != 0;
  for (; *c && valid_; ++c) {
    valid_ = *c >= u'0' && *c <= u'9';
    if (valid_) value = value * 10 + static_cast<unsigned long>(*c - u'0');
    if (value > 0xFFFF) valid_ = false;
  }
  id_ = static_cast<WORD>(value);
}

bool ResourceKey::matches(const char16_t* text, WORD id) const {
  if (!valid_) return false;
  if (!text_) return !text && id == id_;
  return text && equalIgnoringCase(text, text_);
}

}  // namespace platform::kernel::resource
