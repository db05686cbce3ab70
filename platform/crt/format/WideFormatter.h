// The printf engine of the wide formatting functions: it walks the format, copies literal text and
// hands each conversion to the field writer for its kind.
#pragma once

#include "crt/format/ArgList.h"
#include "crt/format/WideSink.h"

namespace platform::crt::format {

class WideFormatter {
 public:
  // Formats into `sink`; false for a malformed format or an unknown conversion (%n is refused too,
  // because writing through an argument pointer is a classic attack on format strings).
  static bool format(WideSink& sink, const char16_t* format, ArgList& args);
};

}  // namespace platform::crt::format
