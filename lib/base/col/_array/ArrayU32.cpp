#include "base/col/_array/ArrayU32.h"

#include <cstring>

#include "base/comp/CompU32.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"

namespace s::col::_array {

namespace {

constexpr uint32_t kElementKind = 4;
const char kElementKindTag = 0;

uint32_t valueAt(const void* element) {
  uint32_t value;
  std::memcpy(&value, element, sizeof value);
  return value;
}

}  // namespace

S_POOLED_IMPL(ArrayU32, s::thread::EasyPooler::kDefaultLimit)

ArrayU32::ArrayU32() : ArrayBase(2) { reset(); }

uint32_t ArrayU32::elementKind() const { return kElementKind; }

const void* ArrayU32::elementKindTag() const { return &kElementKindTag; }

void ArrayU32::appendElementText(StrBuffer* text, const void* element) const {
  uint32_t value = valueAt(element);
  text->appendU32(value);
}

void ArrayU32::appendElementMarkup(StrBuffer* text, const void* element) const {
  uint32_t value = valueAt(element);
  text->appendHex32(&value, 1);
}

s::base::IComparator* ArrayU32::getComparator() const { return s::comp::CompU32::shared(); }

}  // namespace s::col::_array
