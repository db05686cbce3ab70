#include "gui/events/IEventListener.h"

namespace s::gui::events {

IEventListener::~IEventListener() = default;

void IEventListener::destroy(uint32_t flags) {
  if (flags & 1)
    delete this;
  else
    this->~IEventListener();
}

}  // namespace s::gui::events
