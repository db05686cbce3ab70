#include "base/str/strarray/StrArray.h"

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::str::strarray {

S_POOLED_IMPL(StrArray, s::thread::EasyPooler::kDefaultLimit)

// The string pool is the list's element destroyer, so disposing of an element releases it.
StrArray::StrArray() : strings(StrBuffer::pool()) { reset(); }

StrArray::~StrArray() {
  // Destroying the list destroys its strings rather than pooling them.
  for (uint32_t i = 0; i < strings.size(); ++i) delete get(i);
  strings.clear();
}

void StrArray::reset() { strings.freeMemory(); }

void StrArray::add(StrBuffer* text) {
  if (text) strings.appendPointer(text);
}

void StrArray::clear() { strings.disposeAll(); }

bool StrArray::containsIgnoreCase(const s::str::IStr* text) const {
  for (uint32_t i = 0; i < strings.size(); ++i)
    if (get(i)->equalsIgnoreCase(text)) return true;
  return false;
}

}  // namespace s::str::strarray
