// Conversions between UTF-16 and a Windows code page through iconv, with the system's replacement rules:
// a character the page lacks becomes the default character, and bytes the page does not define decode
// to U+FFFD, one per byte that cannot start a character.
#pragma once

#include <cstddef>

#include "kernel/codepage/BoundedOutput.h"
#include "kernel/codepage/CodePageTable.h"
#include "kernel/codepage/ConversionStatus.h"

namespace platform::kernel::codepage {

class IconvCodec {
 public:
  // `replacement` (of `replacementLength` bytes) stands for each unconvertible character, and
  // `usedDefault` becomes true when it was used. With `rejectInvalid`, a lone surrogate fails instead.
  static ConversionStatus encode(const CodePageTable::Entry& page, const char16_t* units, size_t count,
                                 const char* replacement, size_t replacementLength, bool rejectInvalid,
                                 BoundedOutput<char>& out, bool& usedDefault);
  // With `rejectInvalid`, undefined or truncated byte sequences fail instead of giving U+FFFD.
  static ConversionStatus decode(const CodePageTable::Entry& page, const unsigned char* bytes, size_t count,
                                 bool rejectInvalid, BoundedOutput<char16_t>& out);
};

}  // namespace platform::kernel::codepage
