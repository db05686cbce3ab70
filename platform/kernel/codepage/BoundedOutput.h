// The destination of a conversion: it counts every unit produced and stores them while they fit, so one
// pass over the input answers both a size query (no buffer) and a real conversion.
#pragma once

#include <cstddef>

namespace platform::kernel::codepage {

template <typename Unit>
class BoundedOutput {
 public:
  // A null `buffer` only counts; otherwise at most `capacity` units are stored.
  BoundedOutput(Unit* buffer, size_t capacity) : buffer_(buffer), capacity_(buffer ? capacity : 0) {}

  void put(Unit unit) { put(&unit, 1); }

  void put(const Unit* units, size_t count) {
    if (buffer_ != nullptr && !overflowed_) {
      size_t room = capacity_ - count_;
      size_t stored = count < room ? count : room;
      for (size_t i = 0; i < stored; ++i) buffer_[count_ + i] = units[i];
      if (count > room) overflowed_ = true;
    }
    count_ += count;
  }

  // Units produced so far, stored or not.
  size_t count() const { return count_; }
  // True once a buffer was given and the output no longer fitted into it; producers may stop then.
  bool overflowed() const { return overflowed_; }

 private:
  Unit* buffer_;
  size_t capacity_;
  size_t count_ = 0;
  bool overflowed_ = false;
};

}  // namespace platform::kernel::codepage
