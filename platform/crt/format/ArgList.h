// The variable arguments of one formatting call, wrapped so that the parts of the formatter can share
// and advance them by reference (a va_list parameter cannot portably be passed on by address).
#pragma once

#include <cstdarg>

namespace platform::crt::format {

struct ArgList {
  va_list list;
};

}  // namespace platform::crt::format
