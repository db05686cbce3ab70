// One conversion specification of a printf format: the part from just after the percent sign up to and
// including the conversion letter, with any * width or precision already taken from the arguments.
#pragma once

#include "crt/format/ArgList.h"

namespace platform::crt::format {

// The size prefix, as the Microsoft run-time reads it: l is 32 bits, ll, I64 and I are 64 bits.
enum class SizePrefix { None, Char, Short, Long, LongLong, LongDouble, Wide };

struct FormatSpec {
  bool leftAlign = false;
  bool forceSign = false;
  bool spaceSign = false;
  bool zeroPad = false;
  bool alternate = false;
  int width = 0;       // minimum field width, 0 when none
  int precision = -1;  // -1 when none
  SizePrefix size = SizePrefix::None;
  char16_t conversion = 0;

  // Parses the conversion at `cursor` (just after '%') and moves the cursor past it. Returns false
  // for a malformed specification: a missing conversion letter or a width or precision beyond INT_MAX.
  static bool parse(const char16_t*& cursor, ArgList& args, FormatSpec& spec);
};

}  // namespace platform::crt::format
