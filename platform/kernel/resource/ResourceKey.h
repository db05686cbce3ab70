// The name or type argument of a resource lookup: an integer id (MAKEINTRESOURCEW, or a string "#130")
// or a string, which matches ignoring ASCII case as resource names do.
#pragma once

#include <win/resource.h>

namespace platform::kernel::resource {

class ResourceKey {
 public:
  explicit ResourceKey(LPCWSTR argument);

  // Whether an embedded name or type (a string, or null with an integer id) is this key.
  bool matches(const char16_t* text, WORD id) const;

 private:
  const char16_t* text_ = nullptr;  // null for an integer key
  WORD id_ = 0;
  bool valid_ = true;  // false for a "#" string that is no integer, which matches nothing
};

}  // namespace platform::kernel::resource
