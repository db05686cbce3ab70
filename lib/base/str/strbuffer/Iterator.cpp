#include "base/str/strbuffer/Iterator.h"

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::str::strbuffer {

S_POOLED_IMPL(Iterator, s::thread::EasyPooler::kDefaultLimit)

Iterator::Iterator() { reset(); }

Iterator* Iterator::create(StrBuffer* text, int32_t index, uint32_t cursorUnit) {
  Iterator* iterator = acquire();
  if (iterator) iterator->attach(text, index, cursorUnit);
  return iterator;
}

}  // namespace s::str::strbuffer
