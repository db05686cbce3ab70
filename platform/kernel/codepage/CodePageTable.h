// The Windows code pages this platform converts through iconv, with the name glibc knows each one by.
#pragma once

#include <win/types.h>

namespace platform::kernel::codepage {

class CodePageTable {
 public:
  struct Entry {
    UINT number;
    const char* iconvName;
    bool singleByte;  // one byte per character, so a default character is one byte too
    bool stateful;    // shift sequences (ISO 2022, UTF-7): state is reset around a replacement
  };

  // The entry of a Windows code page number, or null when the number is not one we convert.
  static const Entry* find(UINT number);
};

}  // namespace platform::kernel::codepage
