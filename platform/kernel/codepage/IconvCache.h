// Per-thread iconv descriptors for the code pages in use. An iconv descriptor keeps conversion state and
// must not be shared between threads, and opening one is costly, so each thread keeps a few of its own.
#pragma once

#include <iconv.h>

#include "kernel/codepage/CodePageTable.h"

namespace platform::kernel::codepage {

class IconvCache {
 public:
  // The name iconv gives to UTF-16 in this machine's byte order, the layout of char16_t text.
  static const char* nativeUtf16();

  // A descriptor from UTF-16 to the page, reset to its initial state; (iconv_t)-1 when unavailable.
  static iconv_t encoder(const CodePageTable::Entry& page);
  // A descriptor from the page to UTF-16, reset to its initial state; (iconv_t)-1 when unavailable.
  static iconv_t decoder(const CodePageTable::Entry& page);
};

}  // namespace platform::kernel::codepage
