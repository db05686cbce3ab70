#include "base/col/_array/ArrayS08.h"

#include <cstring>

#include "base/comp/CompS08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::col::_array {

namespace {

constexpr uint32_t kElementKind = 3;
const char kElementKindTag = 0;

int8_t valueAt(const void* element) {
  int8_t value;
  std::memcpy(&value, element, sizeof value);
  return value;
}

}  // namespace

S_POOLED_IMPL(ArrayS08, s::thread::EasyPooler::kDefaultLimit)

ArrayS08::ArrayS08() : ArrayBase(0) { reset(); }

uint32_t ArrayS08::elementKind() const { return kElementKind; }

const void* ArrayS08::elementKindTag() const { return &kElementKindTag; }

void ArrayS08::appendElementText(StrBuffer* text, const void* element) const {
  int8_t value = valueAt(element);
  text->appendS32(value);
}

void ArrayS08::appendElementMarkup(StrBuffer* text, const void* element) const {
  int8_t value = valueAt(element);
  uint8_t bits = static_cast<uint8_t>(value);
  text->appendHexBytes(&bits, 1);
}

s::base::IComparator* ArrayS08::getComparator() const { return s::comp::CompS08::shared(); }

}  // namespace s::col::_array
