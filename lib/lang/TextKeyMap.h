// A hash table from text keys (compared case-sensitively) to texts, for the language-pack entries
// whose id is a name rather than a number. It owns its keys and texts; the first text given for a
// key is the one kept.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/col/_array/ArrayS32.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/IPoolable.h"

namespace s::lang {

class TextKeyMap : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_lang_TextKeyMap")
  S_POOLED(TextKeyMap)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using IObject::destroy;

  // The i-th key and its text, in the order they were put.
  StrBuffer* keyAt(uint32_t i) const { return static_cast<StrBuffer*>(keys.get(i)); }
  StrBuffer* textAt(uint32_t i) const { return static_cast<StrBuffer*>(texts.get(i)); }

  TextKeyMap();
  TextKeyMap(const TextKeyMap&) = delete;
  TextKeyMap& operator=(const TextKeyMap&) = delete;

  // Empty again; every key and text goes back to the string pool.
  void reset() override;

  uint32_t size() const { return keys.size(); }
  // The text kept for the key (`length` units, -1 = up to the terminator), or null.
  StrBuffer* get(const char16_t* key, int32_t length = -1) const;
  bool contains(const char16_t* key, int32_t length = -1) const { return get(key, length) != nullptr; }
  // Takes ownership of `text` and maps a copy of the key to it. When the key is already mapped, or
  // memory runs out, the text is released and false is answered.
  bool put(const char16_t* key, int32_t length, StrBuffer* text);

 private:
  // The slot that holds the key or the empty slot where it belongs; the table is never full.
  uint32_t slotOf(const char16_t* key, uint32_t length, uint32_t hash) const;
  // Rebuilds the slots with room for at least twice the keys.
  bool grow();

  // Both arrays give their strings back to the string pool; texts[i] belongs to keys[i].
  s::col::_array::ArrayP keys;
  s::col::_array::ArrayP texts;
  // Open addressing: each slot holds an index into keys plus one, or 0 when free.
  s::col::_array::ArrayS32 slots;
};

}  // namespace s::lang
