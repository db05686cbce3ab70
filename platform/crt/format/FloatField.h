// The floating-point conversions f F e E g G a A, formatted by the C library so that the digits are
// exactly those of printf, then padded to the field width here.
#pragma once

#include "crt/format/ArgList.h"
#include "crt/format/FormatSpec.h"
#include "crt/format/WideSink.h"

namespace platform::crt::format {

class FloatField {
 public:
  // False when the text could not be produced (out of memory for a very long result).
  static bool write(const FormatSpec& spec, ArgList& args, WideSink& sink);
};

}  // namespace platform::crt::format
