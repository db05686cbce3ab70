// The current user's security identifier in its text form ("S-1-22-1-1000"), read from the process
// token through the native services. It names the user's hive below "\Registry\User".
#pragma once

#include <cstdint>

#include "base/str/strbuffer/StrBuffer.h"

namespace s::reg::win {

class NativeRegistry;

class SidText {
 public:
  // The size of the block the text is written into, in bytes.
  static constexpr uint32_t kTextBlockBytes = 256;

  // Replaces `out` with the user's SID text. On failure shows the error message for the status or
  // error code and leaves `out` unchanged.
  static bool read(NativeRegistry& registry, s::str::strbuffer::StrBuffer* out);

  // Writes the text of `sid` into `text` (room for `bytes` bytes); 0 on success, otherwise the error
  // code: ERROR_INVALID_SID for a SID that is not valid, ERROR_INSUFFICIENT_BUFFER when the block is
  // smaller than 24 bytes per sub-authority plus 56.
  static uint32_t format(const void* sid, char16_t* text, uint32_t bytes);
};

}  // namespace s::reg::win
