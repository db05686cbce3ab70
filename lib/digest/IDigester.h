// A message digest computed incrementally: restart, feed bytes with update, then finish to get the
// digest bytes. Strings and arrays hand their bytes to a digester to fingerprint their content.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::col::_array {
class ArrayU08;
}

namespace s::digest {

class IDigester {
 public:
  virtual ~IDigester();
  void destroy(uint32_t flags);
  // Forgets everything fed so far.
  virtual void restart() = 0;
  virtual void update(const void* bytes, size_t count) = 0;
  // Appends the digest bytes to `out` (acquired when null) and returns it; the digester then starts
  // over, ready for a new message.
  virtual s::col::_array::ArrayU08* finish(s::col::_array::ArrayU08* out) = 0;
};

}  // namespace s::digest
