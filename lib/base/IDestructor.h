// Disposes of the object a slot names and nulls the slot; element destroyers and pools are destructors.
#pragma once

#include <cstdint>

namespace s::base {

class IDestructor {
 public:
  virtual ~IDestructor();
  void destroy(uint32_t flags);
  // Does nothing when the slot holds null.
  virtual void destruct(void** slot) = 0;
};

}  // namespace s::base
