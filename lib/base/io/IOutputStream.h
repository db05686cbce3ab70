// A writable byte stream with a cursor; writing past the end grows the target.
#pragma once

#include <cstdint>

#include "base/thread/IPoolable.h"

namespace s::io {

class IOutputStream : public s::thread::IPoolable {
 public:
  // Copies `count` bytes at the position, growing the target, and advances the position.
  virtual bool writeBytes(const void* bytes, uint32_t count) = 0;
  virtual uint32_t getPosition() const = 0;
  virtual void setPosition(uint32_t bytes) = 0;
  virtual void rewind() = 0;
  virtual void seekEnd() = 0;
  virtual void seekBeforeEnd(uint32_t bytes) = 0;
  virtual void skipForward(uint32_t bytes) = 0;
  virtual void skipBackward(uint32_t bytes) = 0;
  virtual void flush() {}
};

}  // namespace s::io
