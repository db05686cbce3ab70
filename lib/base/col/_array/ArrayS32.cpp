#include "base/col/_array/ArrayS32.h"

#include <cstring>

#include "base/comp/CompS32.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::col::_array {

namespace {

constexpr uint32_t kElementKind = 5;
const char kElementKindTag = 0;

int32_t valueAt(const void* element) {
  int32_t value;
  std::memcpy(&value, element, sizeof value);
  return value;
}

}  // namespace

S_POOLED_IMPL(ArrayS32, s::thread::EasyPooler::kDefaultLimit)

ArrayS32::ArrayS32() : ArrayBase(2) { reset(); }

uint32_t ArrayS32::elementKind() const { return kElementKind; }

const void* ArrayS32::elementKindTag() const { return &kElementKindTag; }

void ArrayS32::appendElementText(StrBuffer* text, const void* element) const {
  int32_t value = valueAt(element);
  text->appendS32(value);
}

void ArrayS32::appendElementMarkup(StrBuffer* text, const void* element) const {
  int32_t value = valueAt(element);
  uint32_t bits = static_cast<uint32_t>(value);
  text->appendHex32(&bits, 1);
}

s::base::IComparator* ArrayS32::getComparator() const { return s::comp::CompS32::shared(); }

}  // namespace s::col::_array
