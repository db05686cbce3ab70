// The integer conversions d i u o x X and p: the argument is read at the size the prefix gives, then
// written with its sign or radix prefix, precision zeros and field padding.
#pragma once

#include "crt/format/ArgList.h"
#include "crt/format/FormatSpec.h"
#include "crt/format/WideSink.h"

namespace platform::crt::format {

class IntegerField {
 public:
  static void write(const FormatSpec& spec, ArgList& args, WideSink& sink);
};

}  // namespace platform::crt::format
