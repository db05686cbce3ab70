// A readable byte stream with a cursor; arrays and string buffers are such streams over their bytes.
#pragma once

#include <cstdint>

#include "base/thread/IPoolable.h"

namespace s::io {

class IInputStream : public s::thread::IPoolable {
 public:
  // Copies up to `count` bytes from the position and advances it; `*got` (may be null) receives how
  // many. False once the position is at or past the end.
  virtual bool readBytes(void* buffer, uint32_t count, uint32_t* got) = 0;
  virtual uint32_t getPosition() const = 0;
  virtual void setPosition(uint32_t bytes) = 0;
  virtual void rewind() = 0;
  virtual void seekEnd() = 0;
  virtual void seekBeforeEnd(uint32_t bytes) = 0;
  virtual void skipForward(uint32_t bytes) = 0;
  virtual void skipBackward(uint32_t bytes) = 0;
  virtual bool ready() const = 0;
};

}  // namespace s::io
