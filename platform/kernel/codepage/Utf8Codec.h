// UTF-8 to and from UTF-16, written out by hand so that the replacement rules are exactly those of the
// system: each maximal invalid byte sequence decodes to one U+FFFD, and a lone surrogate encodes as the
// bytes of U+FFFD, unless the caller asked for invalid input to be rejected.
#pragma once

#include <cstddef>

#include "kernel/codepage/BoundedOutput.h"
#include "kernel/codepage/ConversionStatus.h"

namespace platform::kernel::codepage {

class Utf8Codec {
 public:
  static ConversionStatus encode(const char16_t* units, size_t count, BoundedOutput<char>& out,
                                 bool rejectInvalid);
  static ConversionStatus decode(const unsigned char* bytes, size_t count, BoundedOutput<char16_t>& out,
                                 bool rejectInvalid);
};

}  // namespace platform::kernel::codepage
