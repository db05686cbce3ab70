#include "lang/TextKeyMap.h"

#include <win/crt.h>

#include <cstring>

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::lang {

S_POOLED_IMPL(TextKeyMap, s::thread::EasyPooler::kDefaultLimit)

namespace {

// FNV-1a over the code units, case-sensitive like the keys' comparison.
uint32_t hashUnits(const char16_t* units, uint32_t length) {
  uint32_t hash = 2166136261u;
  for (uint32_t i = 0; i < length; ++i) {
    hash ^= units[i];
    hash *= 16777619u;
  }
  return hash;
}

}  // namespace

TextKeyMap::TextKeyMap() : keys(StrBuffer::pool()), texts(StrBuffer::pool()) { reset(); }

void TextKeyMap::reset() {
  keys.freeMemory();
  texts.freeMemory();
  slots.freeMemory();
}

uint32_t TextKeyMap::slotOf(const char16_t* key, uint32_t length, uint32_t hash) const {
  uint32_t mask = slots.size() - 1;
  for (uint32_t slot = hash & mask;; slot = (slot + 1) & mask) {
    int32_t entry = slots.get(slot);
    if (entry == 0) return slot;
    const StrBuffer* stored = keyAt(static_cast<uint32_t>(entry - 1));
    if (stored->length() == length &&
        (length == 0 || std::memcmp(stored->getChars(), key, length * sizeof(char16_t)) == 0))
      return slot;
  }
}

TextKeyMap::StrBuffer* TextKeyMap::get(const char16_t* key, int32_t length) const {
  if (!key || slots.size() == 0) return nullptr;
  uint32_t n = length < 0 ? static_cast<uint32_t>(lstrlenW(key)) : static_cast<uint32_t>(length);
  int32_t entry = slots.get(slotOf(key, n, hashUnits(key, n)));
  return entry == 0 ? nullptr : textAt(static_cast<uint32_t>(entry - 1));
}

bool TextKeyMap::grow() {
  uint32_t capacity = slots.size() == 0 ? 16 : slots.size() * 2;
  slots.setSize(capacity);
  if (slots.size() != capacity) return false;
  for (uint32_t i = 0; i < capacity; ++i) slots.set(i, 0);
  for (uint32_t i = 0; i < keys.size(); ++i) {
    const StrBuffer* key = keyAt(i);
    slots.set(slotOf(key->getChars(), key->length(), hashUnits(key->getChars(), key->length())),
              static_cast<int32_t>(i + 1));
  }
  return true;
}

bool TextKeyMap::put(const char16_t* key, int32_t length, StrBuffer* text) {
  if (!text) return false;
  uint32_t n = !key ? 0 : (length < 0 ? static_cast<uint32_t>(lstrlenW(key)) : static_cast<uint32_t>(length));
  // Keep at most half of the slots in use so that probing stays short and always ends.
  if ((keys.size() + 1) * 2 > slots.size() && !grow()) {
    text->release();
    return false;
  }
  uint32_t hash = hashUnits(key, n);
  uint32_t slot = slotOf(key, n, hash);
  StrBuffer* copy = slots.get(slot) == 0 ? StrBuffer::acquire() : nullptr;
  if (!copy) {
    text->release();
    return false;
  }
  copy->appendChars(key, static_cast<int32_t>(n));
  uint32_t before = keys.size();
  keys.appendPointer(copy);
  if (keys.size() == before) {
    copy->release();
    text->release();
    return false;
  }
  texts.appendPointer(text);
  if (texts.size() == before) {
    // The texts could not grow: take the key back so that both lists stay paired.
    keys.dropLast(1);
    copy->release();
    text->release();
    return false;
  }
  slots.set(slot, static_cast<int32_t>(before + 1));
  return true;
}

}  // namespace s::lang
