// The privileges the platform knows: their names and local identifiers (the documented numbers), and
// which of them an ordinary user's token holds from the start.
#pragma once

#include <win/types.h>

#include <cstdint>
#include <vector>

namespace platform::kernel::token {

struct Privilege {
  uint32_t id;
  const char16_t* name;
};

class PrivilegeNames {
 public:
  // The identifier of the privilege named so (ignoring ASCII case), or 0 when none is.
  static uint32_t idOf(const char16_t* name);
  // The privileges of a new token with their starting attributes (SE_PRIVILEGE_*).
  static std::vector<std::pair<uint32_t, DWORD>> held();
};

}  // namespace platform::kernel::token
