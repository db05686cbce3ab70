// The element destroyer that frees raw memory blocks with the global delete.
#pragma once

#include "base/IDestructor.h"

namespace s::cleaner {

class CleanerRawObject : public s::base::IDestructor {
 public:
  // The one shared instance, made on first use.
  static CleanerRawObject* shared();
  // The slot holds a block from the global operator new (or null).
  void destruct(void** slot) override;
};

}  // namespace s::cleaner
