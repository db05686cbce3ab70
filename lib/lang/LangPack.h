// One language of a language pack: its tag, English and native names, and its texts. Numbered
// texts are kept in loading order, so the i-th number of every pack of a localizer names the same
// entry; texts with a name instead of a number are kept apart in a keyed table.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/col/_array/ArrayS32.h"
#include "base/str/strarray/StrArray.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/IPoolable.h"
#include "lang/TextKeyMap.h"

namespace s::lang {

class LangPack : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_lang_LangPack")
  S_POOLED(LangPack)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using IObject::destroy;

  LangPack();
  LangPack(const LangPack&) = delete;
  LangPack& operator=(const LangPack&) = delete;

  // No names and no texts; every text goes back to the string pool.
  void reset() override;

  StrBuffer* getTagName() { return &tagName; }
  StrBuffer* getEngName() { return &engName; }
  StrBuffer* getTrueName() { return &trueName; }
  const StrBuffer* getTagName() const { return &tagName; }
  const StrBuffer* getEngName() const { return &engName; }
  const StrBuffer* getTrueName() const { return &trueName; }

  // The numbered texts: the i-th number and its text.
  uint32_t textCount() const { return ids.size(); }
  int32_t idAt(uint32_t i) const { return ids.get(i); }
  StrBuffer* textAt(uint32_t i) const { return texts.get(i); }
  // The text of the first entry with that number, or null.
  StrBuffer* textOf(int32_t id) const;
  // Takes ownership of `text` and appends it with its number; false (and the text released) when
  // memory runs out, leaving numbers and texts paired.
  bool addText(int32_t id, StrBuffer* text);

  // The keyed texts, in loading order.
  uint32_t keyCount() const { return keyMap.size(); }
  StrBuffer* keyAt(uint32_t i) const { return keyMap.keyAt(i); }
  // The text of the key (compared case-sensitively), or null.
  StrBuffer* textOfKey(const char16_t* key, int32_t length = -1) const { return keyMap.get(key, length); }
  // Takes ownership of `text`; a key that is already present keeps its first text.
  bool addKeyedText(const char16_t* key, int32_t length, StrBuffer* text) {
    return keyMap.put(key, length, text);
  }

 private:
  StrBuffer tagName;
  StrBuffer engName;
  StrBuffer trueName;
  s::col::_array::ArrayS32 ids;
  s::str::strarray::StrArray texts;
  // Holds the keys in loading order beside their texts.
  TextKeyMap keyMap;
};

}  // namespace s::lang
