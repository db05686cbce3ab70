#include "kernel/handle/HandleTable.h"

#include <mutex>
#include <new>
#include <vector>

#include "kernel/thread/SignalBlock.h"

namespace platform::kernel::handle {

namespace {

struct Slot {
  KernelObject* object = nullptr;
  uint32_t generation = 1;
};

// Slot index + 1 in bits 2..31 (so no handle is null or one of the pseudo handles, whose low bits are
// set), the generation in bits 32..63.
constexpr uint32_t kMaxSlots = (1u << 30) - 1;

struct Table {
  std::mutex mutex;
  std::vector<Slot> slots;
  std::vector<uint32_t> freeSlots;
};

Table& table() {
  static Table* const instance = new Table();
  return *instance;
}

HANDLE encode(uint32_t index, uint32_t generation) {
  uint64_t value = (static_cast<uint64_t>(generation) << 32) | (static_cast<uint64_t>(index + 1) << 2);
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(value));
}

// The slot a handle names while its generation matches; null otherwise. Called with the mutex held.
Slot* find(Table& t, HANDLE handle) {
  uint64_t value = reinterpret_cast<uintptr_t>(handle);
  if ((value & 3) != 0) return nullptr;
  uint64_t low = value & 0xFFFFFFFFu;
  if (low == 0) return nullptr;
  uint64_t index = (low >> 2) - 1;
  if (index >= t.slots.size()) return nullptr;
  Slot& slot = t.slots[index];
  if (!slot.object || slot.generation != static_cast<uint32_t>(value >> 32)) return nullptr;
  return &slot;
}

}  // namespace

HANDLE HandleTable::insert(KernelObject* object) {
  if (!object) return nullptr;
  Table& t = table();
  // A thread suspended or terminated inside the table would block every handle operation.
  thread::SignalBlock block;
  std::lock_guard<std::mutex> guard(t.mutex);
  uint32_t index;
  if (!t.freeSlots.empty()) {
    index = t.freeSlots.back();
    t.freeSlots.pop_back();
  } else {
    if (t.slots.size() >= kMaxSlots) return nullptr;
    try {
      // The free list gets room for every slot first, so that close never needs to allocate.
      if (t.freeSlots.capacity() < t.slots.size() + 1)
        t.freeSlots.reserve(t.slots.size() < 16 ? 32 : 2 * t.slots.size());
      t.slots.emplace_back();
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    index = static_cast<uint32_t>(t.slots.size() - 1);
  }
  Slot& slot = t.slots[index];
  slot.object = object;
  return encode(index, slot.generation);
}

KernelObject* HandleTable::lookup(HANDLE handle) {
  Table& t = table();
  thread::SignalBlock block;
  std::lock_guard<std::mutex> guard(t.mutex);
  Slot* slot = find(t, handle);
  if (!slot) return nullptr;
  slot->object->addReference();
  return slot->object;
}

bool HandleTable::close(HANDLE handle) {
  Table& t = table();
  KernelObject* object;
  {
    thread::SignalBlock block;
    std::lock_guard<std::mutex> guard(t.mutex);
    Slot* slot = find(t, handle);
    if (!slot) return false;
    object = slot->object;
    slot->object = nullptr;
    // Generation 0 is never handed out, so a wrapped generation skips it.
    if (++slot->generation == 0) slot->generation = 1;
    t.freeSlots.push_back(static_cast<uint32_t>(slot - t.slots.data()));
  }
  // Outside the table: the last reference may free a whole thread record.
  object->releaseReference();
  return true;
}

}  // namespace platform::kernel::handle
