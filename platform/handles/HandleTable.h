// A table of objects addressed by 32-bit handle values that carry a slot index and a generation.
// Freed slots wait in a first-in first-out list and their generation advances on every reuse, so a
// stale handle is recognised as stale for a very long time instead of reaching a newer object.
// Not thread-safe: the owner guards it with its own lock.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace platform::handles {

template <typename T>
class HandleTable {
 public:
  static constexpr uint32_t indexBits = 16;
  static constexpr uint32_t indexMask = (1u << indexBits) - 1;
  static constexpr uint32_t generationMask = 0x7FFF;  // keeps handle values positive as 32-bit numbers
  // Slots are reused only when this many others are free, which spreads reuse over time.
  static constexpr size_t reuseDelay = 1024;

  // Stores the object and answers its handle value, or 0 when the table is full.
  uint32_t add(std::unique_ptr<T> object) {
    uint32_t index;
    if (free_.size() > reuseDelay || (slots_.size() >= indexMask && !free_.empty())) {
      index = free_.front();
      free_.pop_front();
    } else if (slots_.size() < indexMask) {
      index = static_cast<uint32_t>(slots_.size());
      slots_.push_back(Slot{});
    } else {
      return 0;
    }
    Slot& slot = slots_[index];
    slot.generation = (slot.generation + 1) & generationMask;
    if (slot.generation == 0) slot.generation = 1;
    slot.object = std::move(object);
    ++count_;
    return encode(index, slot.generation);
  }

  // The live object for a handle value, or null for a stale or unknown one.
  T* find(uint32_t value) const {
    uint32_t index = (value & indexMask) - 1;
    if ((value & indexMask) == 0 || index >= slots_.size()) return nullptr;
    const Slot& slot = slots_[index];
    if (!slot.object || slot.generation != (value >> indexBits)) return nullptr;
    return slot.object.get();
  }

  // Removes and answers the object; the handle value stays stale from now on.
  std::unique_ptr<T> remove(uint32_t value) {
    if (!find(value)) return nullptr;
    uint32_t index = (value & indexMask) - 1;
    std::unique_ptr<T> out = std::move(slots_[index].object);
    free_.push_back(index);
    --count_;
    return out;
  }

  size_t size() const { return count_; }

  // Calls fn(handleValue, object) for every live object.
  template <typename Fn>
  void forEach(Fn fn) const {
    for (uint32_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].object) fn(encode(i, slots_[i].generation), slots_[i].object.get());
  }

 private:
  struct Slot {
    uint32_t generation = 0;
    std::unique_ptr<T> object;
  };

  static uint32_t encode(uint32_t index, uint32_t generation) { return (generation << indexBits) | (index + 1); }

  std::vector<Slot> slots_;
  std::deque<uint32_t> free_;
  size_t count_ = 0;
};

}  // namespace platform::handles
