// The element destroyer that destroys library objects for good (destroy (1)), bypassing their pools.
#pragma once

#include "base/IDestructor.h"

namespace s::cleaner {

class CleanerIObject : public s::base::IDestructor {
 public:
  // The one shared instance, made on first use.
  static CleanerIObject* shared();
  // The slot holds an s::base::IObject pointer (or null).
  void destruct(void** slot) override;
};

}  // namespace s::cleaner
