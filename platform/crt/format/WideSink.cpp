// Bounded stores: nothing is written past the capacity, however long the formatted text grows.
#include "crt/format/WideSink.h"

namespace platform::crt::format {

void WideSink::put(char16_t unit) {
  if (room() > 0) buffer_[count_] = unit;
  ++count_;
}

void WideSink::put(const char16_t* units, size_t count) {
  size_t stored = count < room() ? count : room();
  for (size_t i = 0; i < stored; ++i) buffer_[count_ + i] = units[i];
  count_ += count;
}

void WideSink::putNarrow(const char* bytes, size_t count) {
  size_t stored = count < room() ? count : room();
  for (size_t i = 0; i < stored; ++i) buffer_[count_ + i] = static_cast<unsigned char>(bytes[i]);
  count_ += count;
}

void WideSink::repeat(char16_t unit, size_t count) {
  size_t stored = count < room() ? count : room();
  for (size_t i = 0; i < stored; ++i) buffer_[count_ + i] = unit;
  count_ += count;
}

void WideSink::padField(int width, size_t used, char16_t fill) {
  if (width > 0 && used < static_cast<size_t>(width)) repeat(fill, static_cast<size_t>(width) - used);
}

void WideSink::terminate() {
  if (buffer_ != nullptr) buffer_[count_ < capacity_ ? count_ : capacity_] = 0;
}

}  // namespace platform::crt::format
