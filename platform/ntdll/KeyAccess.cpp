#include "ntdll/KeyAccess.h"

namespace ntdll {

ACCESS_MASK KeyAccess::grant(ACCESS_MASK desired) {
  ACCESS_MASK granted = desired & ~static_cast<ACCESS_MASK>(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE |
                                                            GENERIC_ALL | MAXIMUM_ALLOWED | KEY_WOW64_64KEY |
                                                            KEY_WOW64_32KEY);
  if (desired & GENERIC_READ) granted |= KEY_READ;
  if (desired & GENERIC_WRITE) granted |= KEY_WRITE;
  if (desired & GENERIC_EXECUTE) granted |= KEY_EXECUTE;
  // The user owns the whole hive, so the most that may be asked for is everything.
  if (desired & (GENERIC_ALL | MAXIMUM_ALLOWED)) granted |= KEY_ALL_ACCESS;
  return granted;
}

}  // namespace ntdll
