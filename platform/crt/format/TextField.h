// The text conversions c C s S: a character or a string, wide or narrow by conversion and prefix,
// cut to the precision and padded to the field width.
#pragma once

#include "crt/format/ArgList.h"
#include "crt/format/FormatSpec.h"
#include "crt/format/WideSink.h"

namespace platform::crt::format {

class TextField {
 public:
  static void write(const FormatSpec& spec, ArgList& args, WideSink& sink);
};

}  // namespace platform::crt::format
