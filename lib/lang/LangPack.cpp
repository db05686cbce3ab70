#include "lang/LangPack.h"

#include "base/thread/EasyPooler.h"

namespace s::lang {

S_POOLED_IMPL(LangPack, s::thread::EasyPooler::kDefaultLimit)

LangPack::LangPack() { reset(); }

void LangPack::reset() {
  tagName.reset();
  engName.reset();
  trueName.reset();
  ids.freeMemory();
  texts.reset();
  keyMap.reset();
}

LangPack::StrBuffer* LangPack::textOf(int32_t id) const {
  // A plain scan: a pack holds well under a hundred numbers.
  const int32_t* numbers = ids.data();
  uint32_t n = ids.size();
  for (uint32_t i = 0; i < n; ++i)
    if (numbers[i] == id) return texts.get(i);
  return nullptr;
}

bool LangPack::addText(int32_t id, StrBuffer* text) {
  if (!text) return false;
  uint32_t before = ids.size();
  ids.add(id);
  if (ids.size() == before) {
    text->release();
    return false;
  }
  texts.add(text);
  if (texts.size() == before) {
    ids.dropLast(1);
    text->release();
    return false;
  }
  return true;
}

}  // namespace s::lang
