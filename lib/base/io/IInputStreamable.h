// Something that can open an independent input stream over its content.
#pragma once

#include <cstdint>

namespace s::io {

class IInputStream;

class IInputStreamable {
 public:
  virtual ~IInputStreamable();
  void destroy(uint32_t flags);
  // A pooled stream with its own position, starting at 0; the caller releases it.
  virtual IInputStream* openInputStream() = 0;
};

}  // namespace s::io
