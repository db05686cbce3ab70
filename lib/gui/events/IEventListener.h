// The face of anything that wants to hear about events: a source (a component, the localizer, the
// skin manager) calls onEvent with itself and a small code whose meaning depends on the source's
// class. Listeners tell sources apart by comparing the source pointer with the objects they keep.
#pragma once

#include <cstdint>

namespace s::base {
class IObject;
}

namespace s::gui::events {

class IEventListener {
 public:
  virtual ~IEventListener();
  // Bit 0 of the flags set frees the memory too; without it only the destructor runs.
  void destroy(uint32_t flags);
  // Called by `source` with its event code; the result is not used by the sources.
  virtual int32_t onEvent(s::base::IObject* source, int32_t type) = 0;
};

}  // namespace s::gui::events
