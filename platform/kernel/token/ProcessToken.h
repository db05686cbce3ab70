// The one token of the process: which privileges it holds and which of them are enabled. Every token
// handle names this state, and the platform's own checks (the power functions) read it.
#pragma once

#include <win/security.h>

#include <cstdint>
#include <vector>

namespace platform::kernel::token {

// One requested change: the privilege and its new attributes (SE_PRIVILEGE_ENABLED, _REMOVED or 0).
struct PrivilegeChange {
  uint32_t id;
  DWORD attributes;
};

// What an adjustment did: the previous attributes of every privilege it changed, and whether some
// requested privilege was not held.
struct AdjustResult {
  std::vector<LUID_AND_ATTRIBUTES> previous;
  bool notAllAssigned = false;
};

class ProcessToken {
 public:
  static bool isEnabled(uint32_t id);
  // Makes the changes (or disables every privilege) in one step. When more than `roomForPrevious`
  // privileges would change, nothing is changed and false is answered; result then tells how many.
  static bool apply(bool disableAll, const std::vector<PrivilegeChange>& changes, size_t roomForPrevious,
                    AdjustResult& result);
};

}  // namespace platform::kernel::token
