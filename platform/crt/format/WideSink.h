// The output of one formatting call: it stores units while they fit into the caller's buffer and keeps
// counting after that, so the caller learns both the truncated text and the full length.
#pragma once

#include <cstddef>

namespace platform::crt::format {

class WideSink {
 public:
  // Stores at most `capacity` units into `buffer` (which may be null when only counting).
  WideSink(char16_t* buffer, size_t capacity) : buffer_(buffer), capacity_(buffer ? capacity : 0) {}

  void put(char16_t unit);
  void put(const char16_t* units, size_t count);
  // Widens each byte as an unsigned value (Latin-1), as the run-time does in the C locale.
  void putNarrow(const char* bytes, size_t count);
  void repeat(char16_t unit, size_t count);
  // `width` minus `used` copies of `fill`, when the field is not yet that wide.
  void padField(int width, size_t used, char16_t fill);
  // Writes the terminator after the stored units; the buffer must have room for capacity + 1 units.
  void terminate();

  // Units produced so far, stored or not.
  size_t count() const { return count_; }

 private:
  size_t room() const { return count_ < capacity_ ? capacity_ - count_ : 0; }

  char16_t* buffer_;
  size_t capacity_;
  size_t count_ = 0;
};

}  // namespace platform::crt::format
