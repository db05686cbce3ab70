#include "base/col/_array/ArrayU08.h"

#include <cstring>

#include "base/comp/CompU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::col::_array {

namespace {

constexpr uint32_t kElementKind = 2;
const char kElementKindTag = 0;

uint8_t valueAt(const void* element) {
  uint8_t value;
  std::memcpy(&value, element, sizeof value);
  return value;
}

}  // namespace

S_POOLED_IMPL(ArrayU08, s::thread::EasyPooler::kDefaultLimit)

ArrayU08::ArrayU08() : ArrayBase(0) { reset(); }

uint32_t ArrayU08::elementKind() const { return kElementKind; }

const void* ArrayU08::elementKindTag() const { return &kElementKindTag; }

void ArrayU08::appendElementText(StrBuffer* text, const void* element) const {
  uint8_t value = valueAt(element);
  text->appendU32(value);
}

void ArrayU08::appendElementMarkup(StrBuffer* text, const void* element) const {
  uint8_t value = valueAt(element);
  text->appendHexBytes(&value, 1);
}

s::base::IComparator* ArrayU08::getComparator() const { return s::comp::CompU08::shared(); }

}  // namespace s::col::_array
