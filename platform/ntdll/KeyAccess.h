// Access masks of key handles: generic rights mapped to key rights, and the checks each service makes.
#pragma once

#include <win/ntdll.h>

namespace ntdll {

class KeyAccess {
 public:
  // The rights a key handle opened with `desired` holds.
  static ACCESS_MASK grant(ACCESS_MASK desired);
  static bool allows(ACCESS_MASK granted, ACCESS_MASK needed) { return (granted & needed) == needed; }
};

}  // namespace ntdll
