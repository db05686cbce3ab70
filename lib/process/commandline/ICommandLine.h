// The arguments the program was started with, as an ordered list of texts without the program's own
// path. Flags (arguments starting with "-" or "/") are kept with a leading "-", so that "/shutdown"
// and "-shutdown" read alike; every other argument is kept as given.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::process::commandline {

class ICommandLine : public s::base::IObject, public s::thread::IPoolable {
 public:
  using IObject::destroy;

  // How many arguments were stored.
  virtual uint32_t getCount() const = 0;
  // The argument at the 0-based index, NUL-terminated; null for an index beyond the count.
  virtual const char16_t* getArgument(uint32_t index) const = 0;
};

}  // namespace s::process::commandline
