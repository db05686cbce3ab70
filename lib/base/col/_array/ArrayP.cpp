#include "base/col/_array/ArrayP.h"

#include <cstring>

#include "base/comp/CompP.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"
#include "base/thread/PoolerBase.h"

namespace s::col::_array {

namespace {

// Pointers are pointer-sized elements: 8 bytes on 64-bit systems.
constexpr uint8_t kPointerShift = sizeof(void*) == 8 ? 3 : 2;
constexpr uint32_t kElementKind = 1;
const char kElementKindTag = 0;

}  // namespace

// The pool face is written out rather than taken from S_POOLED_IMPL: a released array first gives up
// its elements and its destroyer, outside the pool's lock, so that the next user of the recycled array
// does not inherit an owner of elements it never added.
::s::thread::EasyPooler* ArrayP::pool() {
  static ::s::thread::EasyPooler* const instance =
      ::s::thread::EasyPooler::createFor<ArrayP>(::s::thread::EasyPooler::kDefaultLimit);
  return instance;
}

ArrayP* ArrayP::acquire() { return static_cast<ArrayP*>(pool()->generate()); }

void ArrayP::release() {
  freeMemory();
  elementDestroyer = nullptr;
  void* self = this;
  pool()->destruct(&self);
}

::s::base::IObject* ArrayP::newInstance() const { return acquire(); }

ArrayP::ArrayP() : ArrayBase(kPointerShift) { reset(); }

ArrayP::ArrayP(s::base::IDestructor* destroyer) : ArrayBase(kPointerShift), elementDestroyer(destroyer) {
  reset();
}

ArrayP::~ArrayP() { disposeAll(); }

void* ArrayP::popLast() {
  if (count == 0) return nullptr;
  --count;
  return get(count);
}

void ArrayP::disposeAll(s::base::IDestructor* destroyer) {
  s::base::IDestructor* disposer = destroyer ? destroyer : elementDestroyer;
  if (disposer && count > 1) {
    // Pools take a whole array back under one entry into their lock.
    if (auto* pooler = dynamic_cast<s::thread::EasyPooler*>(disposer)) {
      pooler->destructMany(reinterpret_cast<void**>(items), count);
      disposer = nullptr;
    } else if (auto* factory = dynamic_cast<s::thread::PoolerBase*>(disposer)) {
      factory->destructMany(reinterpret_cast<void**>(items), count);
      disposer = nullptr;
    }
  }
  if (disposer) {
    // Each destruct nulls its slot, so an element seen twice is never disposed of twice.
    for (uint32_t i = 0; i < count; ++i) disposer->destruct(reinterpret_cast<void**>(items) + i);
  }
  count = 0;
  position = 0;
}

void ArrayP::freeMemory() {
  disposeAll();
  ArrayBase::freeMemory();
}

uint32_t ArrayP::elementKind() const { return kElementKind; }

const void* ArrayP::elementKindTag() const { return &kElementKindTag; }

void ArrayP::appendElementText(StrBuffer* text, const void* element) const {
  void* pointer = nullptr;
  std::memcpy(&pointer, element, sizeof pointer);
  if (!pointer) {
    text->appendAscii("null(0)");
    return;
  }
  text->appendText(static_cast<const s::base::IObject*>(pointer)->getClassName());
  text->appendChar(u'(');
  text->appendS64(static_cast<int64_t>(reinterpret_cast<intptr_t>(pointer)));
  text->appendChar(u')');
}

void ArrayP::appendElementMarkup(StrBuffer*, const void*) const {}

s::base::IComparator* ArrayP::getComparator() const { return s::comp::CompP::shared(); }

}  // namespace s::col::_array
