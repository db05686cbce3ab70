// One resource compiled into the program: its name and type (each either an integer id or a string)
// and its bytes. The build generates one of these per listed file, with static storage, and hands it
// to the ResourceRegistry while the program starts.
#pragma once

#include <win/types.h>

namespace platform::kernel::resource {

struct EmbeddedResource {
  const char16_t* name;  // null when the name is the integer nameId
  WORD nameId;
  const char16_t* type;  // null when the type is the integer typeId
  WORD typeId;
  const unsigned char* data;  // followed by one zero byte that `size` does not count
  DWORD size;
  EmbeddedResource* next;  // the registry's link; null in the generated definition
};

}  // namespace platform::kernel::resource
