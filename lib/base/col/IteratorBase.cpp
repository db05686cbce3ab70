#include "base/col/IteratorBase.h"

namespace s::col {

namespace {

// Moves an element address by whole bytes; done on integers so that an empty collection's null
// storage never meets pointer arithmetic.
uint8_t* offsetBy(void* base, intptr_t bytes) {
  return reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(base) + static_cast<uintptr_t>(bytes));
}

}  // namespace

void IteratorBase::attach(IEnumerable* target, int32_t i, uint32_t cursorElement) {
  collection = target;
  index = i;
  cursor = offsetBy(target->elementAt(0), static_cast<intptr_t>(cursorElement) * target->elementBytes());
}

void IteratorBase::setIndex(int32_t i) {
  index = i;
  if (collection)
    cursor = offsetBy(collection->elementAt(0), static_cast<intptr_t>(i + 1) * collection->elementBytes());
}

bool IteratorBase::hasNext() const {
  return collection && static_cast<int64_t>(index) < static_cast<int64_t>(collection->elementCount()) - 1;
}

void IteratorBase::skip(uint32_t n) {
  while (n--) next();
}

void IteratorBase::skipBack(uint32_t n) {
  while (n--) previous();
}

void* IteratorBase::next() {
  ++index;
  void* at = cursor;
  if (collection) cursor = offsetBy(cursor, collection->elementBytes());
  return at;
}

void* IteratorBase::previous() {
  --index;
  if (collection) cursor = offsetBy(cursor, -static_cast<intptr_t>(collection->elementBytes()));
  return cursor;
}

void IteratorBase::reset() {
  index = -1;
  collection = nullptr;
  cursor = nullptr;
}

}  // namespace s::col
