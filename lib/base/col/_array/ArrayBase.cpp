#include "base/col/_array/ArrayBase.h"

#include <cstdlib>
#include <cstring>

#include "base/IComparator.h"
#include "base/col/CollectionInputStream.h"
#include "base/col/_array/ArrayU08.h"
#include "base/col/_array/Growth.h"
#include "base/col/_array/Iterator.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "digest/IDigester.h"
#include "digest/md5/Md5.h"

namespace s::col::_array {

namespace {

constexpr uint64_t kMaxCount = 0xFFFFFFFFull;

// A source block that lies inside the array's own storage would be freed by growing or shifted by
// making room; such a block is copied aside first. Other sources are used in place.
class StableSource {
 public:
  StableSource(const void* source, size_t bytes, const uint8_t* storage, size_t storageBytes)
      : data(static_cast<const uint8_t*>(source)) {
    uintptr_t from = reinterpret_cast<uintptr_t>(source);
    uintptr_t begin = reinterpret_cast<uintptr_t>(storage);
    if (bytes == 0 || storage == nullptr || from >= begin + storageBytes || from + bytes <= begin) return;
    copy = static_cast<uint8_t*>(std::malloc(bytes));
    if (copy) std::memcpy(copy, source, bytes);
    data = copy;
  }
  ~StableSource() { std::free(copy); }
  StableSource(const StableSource&) = delete;
  StableSource& operator=(const StableSource&) = delete;

  // Null when the aside copy could not be made.
  const uint8_t* get() const { return data; }

 private:
  const uint8_t* data;
  uint8_t* copy = nullptr;
};

const uint8_t* elementsFrom(const void* source, uint32_t srcIndex, uint8_t shift) {
  return static_cast<const uint8_t*>(source) + (static_cast<size_t>(srcIndex) << shift);
}

uint32_t smaller(uint32_t a, uint32_t b) { return a < b ? a : b; }

}  // namespace

ArrayBase::ArrayBase(uint8_t shift) : elementShift(shift) {}

ArrayBase::~ArrayBase() { std::free(items); }

// ---- storage ----

bool ArrayBase::growTo(uint32_t newCapacity) {
  if (newCapacity <= capacity) return true;
  uint8_t* grown = static_cast<uint8_t*>(std::malloc(bytesOf(newCapacity)));
  if (!grown) return false;
  if (count > 0) std::memcpy(grown, items, bytesOf(count));
  std::free(items);
  items = grown;
  capacity = newCapacity;
  return true;
}

bool ArrayBase::ensureRoom(uint64_t needed) {
  if (needed > kMaxCount) return false;
  if (needed <= capacity) return true;
  return growTo(capacityFor(capacity, static_cast<uint32_t>(needed)));
}

bool ArrayBase::ensureExact(uint64_t needed) {
  if (needed > kMaxCount) return false;
  return growTo(static_cast<uint32_t>(needed));
}

void ArrayBase::reserve(uint32_t n) { ensureRoom(n); }

void ArrayBase::reserveExact(uint32_t n) { ensureExact(n); }

void ArrayBase::setSize(uint32_t n) {
  if (!ensureExact(n)) return;
  // Elements that come into use read as zero rather than as whatever the heap left there.
  if (n > count) std::memset(slot(count), 0, bytesOf(n - count));
  count = n;
}

uint32_t ArrayBase::byteSize(int32_t n) const {
  uint64_t elements = n < 0 ? count : static_cast<uint32_t>(n);
  return static_cast<uint32_t>(elements << elementShift);
}

void ArrayBase::clear() {
  count = 0;
  position = 0;
}

void ArrayBase::freeMemory() {
  std::free(items);
  items = nullptr;
  count = 0;
  capacity = 0;
  position = 0;
}

// ---- copying in ----

void ArrayBase::write(const void* source, uint32_t n, uint32_t srcIndex, uint32_t at) {
  if (n == 0) return;
  uint64_t end = static_cast<uint64_t>(at) + n;
  StableSource from(elementsFrom(source, srcIndex, elementShift), bytesOf(n), items, bytesOf(capacity));
  if (!from.get() || !ensureExact(end)) return;
  if (at > count) std::memset(slot(count), 0, bytesOf(at - count));
  std::memcpy(slot(at), from.get(), bytesOf(n));
  if (end > count) count = static_cast<uint32_t>(end);
}

void ArrayBase::append(const void* source, uint32_t n, uint32_t srcIndex) {
  if (n == 0) return;
  StableSource from(elementsFrom(source, srcIndex, elementShift), bytesOf(n), items, bytesOf(capacity));
  if (!from.get() || !ensureRoom(static_cast<uint64_t>(count) + n)) return;
  std::memcpy(slot(count), from.get(), bytesOf(n));
  count += n;
}

void ArrayBase::insertAt(uint32_t at, const void* source, uint32_t n, uint32_t srcIndex) {
  if (n == 0) return;
  StableSource from(elementsFrom(source, srcIndex, elementShift), bytesOf(n), items, bytesOf(capacity));
  if (!from.get() || !ensureRoom(static_cast<uint64_t>(count) + n)) return;
  std::memmove(slot(at + n), slot(at), bytesOf(count - at));
  std::memcpy(slot(at), from.get(), bytesOf(n));
  count += n;
}

void ArrayBase::prepend(const void* source, uint32_t n, uint32_t srcIndex) {
  insertAt(0, source, n, srcIndex);
}

void ArrayBase::insert(uint32_t at, const void* source, uint32_t n, uint32_t srcIndex) {
  // An index past the end appends, so a bad index never moves memory outside the storage.
  if (at >= count)
    append(source, n, srcIndex);
  else if (at == 0)
    prepend(source, n, srcIndex);
  else
    insertAt(at, source, n, srcIndex);
}

void ArrayBase::copyFrom(const ArrayBase* source, uint32_t at, uint32_t from, int32_t n) {
  if (source) source->copyTo(this, at, from, n);
}

void ArrayBase::copyTo(ArrayBase* target, uint32_t targetIndex, uint32_t from, int32_t n) const {
  if (!target || from >= count) return;
  uint32_t available = count - from;
  uint32_t elements = n < 0 ? available : smaller(static_cast<uint32_t>(n), available);
  if (target->elementShift == elementShift) {
    target->write(slot(from), elements, 0, targetIndex);
    return;
  }
  // Arrays of another element size take the same bytes, in whole elements of their own size.
  uint64_t bytes = bytesOf(elements);
  target->write(slot(from), static_cast<uint32_t>(bytes >> target->elementShift), 0, targetIndex);
}

// ---- copying out and removing ----

void ArrayBase::copyOut(void* destination, uint32_t destinationIndex, uint32_t from, uint32_t n) const {
  if (from >= count) return;
  n = smaller(n, count - from);
  if (n == 0) return;
  std::memcpy(static_cast<uint8_t*>(destination) + bytesOf(destinationIndex), slot(from), bytesOf(n));
}

void ArrayBase::dropLast(uint32_t n) { count = n >= count ? 0 : count - n; }

void ArrayBase::dropFirst(uint32_t n) { remove(0, n); }

void ArrayBase::remove(uint32_t at, uint32_t n) {
  if (at >= count) return;
  n = smaller(n, count - at);
  std::memmove(slot(at), slot(at + n), bytesOf(count - at - n));
  count -= n;
}

void ArrayBase::takeLast(void* destination, uint32_t n, uint32_t destinationIndex) {
  n = smaller(n, count);
  copyOut(destination, destinationIndex, count - n, n);
  dropLast(n);
}

void ArrayBase::takeFirst(void* destination, uint32_t n, uint32_t destinationIndex) {
  take(0, destination, n, destinationIndex);
}

void ArrayBase::take(uint32_t at, void* destination, uint32_t n, uint32_t destinationIndex) {
  if (at >= count) return;
  n = smaller(n, count - at);
  copyOut(destination, destinationIndex, at, n);
  remove(at, n);
}

int32_t ArrayBase::compareBytes(uint32_t at, const void* block, uint32_t blockLength, uint32_t blockIndex,
                                uint32_t n) const {
  // Only the parts of both ranges that exist take part; when one is a prefix of the other the shorter
  // range comes first.
  uint32_t mine = at >= count ? 0 : smaller(n, count - at);
  uint32_t theirs = blockIndex >= blockLength ? 0 : smaller(n, blockLength - blockIndex);
  uint32_t common = smaller(mine, theirs);
  if (common > 0) {
    int r = std::memcmp(slot(at), elementsFrom(block, blockIndex, elementShift), bytesOf(common));
    if (r != 0) return r < 0 ? -1 : 1;
  }
  if (mine == theirs) return 0;
  return mine < theirs ? -1 : 1;
}

void ArrayBase::swap(uint32_t i, uint32_t j) {
  if (i == j) return;
  uint8_t* a = slot(i);
  uint8_t* b = slot(j);
  for (size_t k = 0, bytes = elementBytes(); k < bytes; ++k) {
    uint8_t t = a[k];
    a[k] = b[k];
    b[k] = t;
  }
}

void ArrayBase::swapWith(uint32_t i, uint32_t j, void* scratch) {
  if (i == j) return;
  size_t bytes = elementBytes();
  std::memcpy(scratch, slot(i), bytes);
  std::memcpy(slot(i), slot(j), bytes);
  std::memcpy(slot(j), scratch, bytes);
}

void ArrayBase::reverse() {
  if (count < 2) return;
  for (uint32_t i = 0, j = count - 1; i < j; ++i, --j) swap(i, j);
}

// ---- comparison ----

int32_t ArrayBase::compareElements(const IComparable* other, bool ignoreCase) const {
  if (other == this) return 0;
  const ArrayBase* that = dynamic_cast<const ArrayBase*>(other);
  if (!that) return IComparable::compareTo(other, nullptr);
  if (count != that->count) return count < that->count ? -1 : 1;
  // Equal counts of different element sizes: the element comparator would read past the smaller
  // elements, so the element size decides.
  if (elementShift != that->elementShift) return elementShift < that->elementShift ? -1 : 1;
  s::base::IComparator* elements = getComparator();
  for (uint32_t i = 0; i < count; ++i) {
    int32_t r = ignoreCase ? elements->compareIgnoreCase(slot(i), that->slot(i))
                           : elements->compare(slot(i), that->slot(i));
    if (r != 0) return r < 0 ? -1 : 1;
  }
  return 0;
}

int32_t ArrayBase::compareTo(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return comparator->compare(this, other);
  return compareElements(other, false);
}

int32_t ArrayBase::compareToIgnoreCase(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return comparator->compareIgnoreCase(this, other);
  return compareElements(other, true);
}

// ---- text ----

ArrayBase::StrBuffer* ArrayBase::targetText(StrBuffer* text, bool append) {
  if (!text) return StrBuffer::acquire();
  if (!append) text->clear();
  return text;
}

ArrayBase::StrBuffer* ArrayBase::toText(StrBuffer* text, bool append) const {
  text = targetText(text, append);
  if (!text) return nullptr;
  text->appendText(getClassName());
  text->appendAscii(" [");
  for (uint32_t i = 0; i < count; ++i) {
    if (i > 0) text->appendChar(u' ');
    appendElementText(text, slot(i));
  }
  text->appendChar(u']');
  return text;
}

ArrayBase::StrBuffer* ArrayBase::toMarkup(StrBuffer* text, bool append) const {
  text = targetText(text, append);
  if (!text) return nullptr;
  text->appendChar(u'<');
  text->appendText(getClassName());
  text->appendAscii(" length=\"");
  text->appendU32(count);
  text->appendAscii("\">");
  appendAllMarkup(text, true);
  text->appendAscii("</");
  text->appendText(getClassName());
  text->appendChar(u'>');
  return text;
}

ArrayBase::StrBuffer* ArrayBase::appendAllMarkup(StrBuffer* text, bool append) const {
  text = targetText(text, append);
  if (!text) return nullptr;
  for (uint32_t i = 0; i < count; ++i) appendElementMarkup(text, slot(i));
  return text;
}

// ---- digest ----

ArrayU08* ArrayBase::digest(s::digest::IDigester* digester, ArrayU08* out) const {
  if (digester) {
    if (count > 0) digester->update(items, bytesOf(count));
    return digester->finish(out);
  }
  s::digest::md5::Md5* md5 = s::digest::md5::Md5::acquire();
  if (!md5) return out;
  if (count > 0) md5->update(items, bytesOf(count));
  ArrayU08* result = md5->finish(out);
  md5->release();
  return result;
}

// ---- enumerable face ----

s::col::IteratorBase* ArrayBase::iteratorAtStart() {
  Iterator* it = Iterator::acquire();
  if (it) it->attach(this, -1, 0);
  return it;
}

s::col::IteratorBase* ArrayBase::iteratorAtEnd() {
  Iterator* it = Iterator::acquire();
  if (it) it->attach(this, static_cast<int32_t>(count), count);
  return it;
}

s::col::IteratorBase* ArrayBase::iteratorAt(uint32_t i) {
  // Indexes past the end stand at the end, so the cursor never leaves the storage's range.
  i = smaller(i, count);
  Iterator* it = Iterator::acquire();
  if (it) it->attach(this, static_cast<int32_t>(i) - 1, i);
  return it;
}

s::col::IteratorBase* ArrayBase::iteratorAtFromEnd(uint32_t i) {
  uint32_t at = count - smaller(i, count);
  Iterator* it = Iterator::acquire();
  if (it) it->attach(this, static_cast<int32_t>(at), at);
  return it;
}

s::io::IInputStream* ArrayBase::openInputStream() {
  s::col::CollectionInputStream* stream = s::col::CollectionInputStream::acquire();
  if (stream) stream->open(this);
  return stream;
}

// ---- stream faces ----

bool ArrayBase::readBytes(void* buffer, uint32_t n, uint32_t* got) {
  uint32_t total = byteSize();
  if (position >= total) {
    if (got) *got = 0;
    return false;
  }
  uint32_t copied = smaller(n, total - position);
  if (copied > 0) std::memcpy(buffer, items + position, copied);
  position += copied;
  if (got) *got = copied;
  return true;
}

bool ArrayBase::writeBytes(const void* bytes, uint32_t n) {
  if (n == 0) return true;
  uint64_t end = static_cast<uint64_t>(position) + n;
  if (end > kMaxCount) return false;
  uint64_t elements = (end + elementBytes() - 1) >> elementShift;
  StableSource from(bytes, n, items, bytesOf(capacity));
  if (!from.get() || !ensureRoom(elements)) return false;
  // Elements that come into use start as zero, so a gap left by moving the position past the end,
  // or the rest of a partly written element, never shows old heap contents.
  if (elements > count) {
    std::memset(slot(count), 0, bytesOf(elements - count));
    count = static_cast<uint32_t>(elements);
  }
  std::memcpy(items + position, from.get(), n);
  position = static_cast<uint32_t>(end);
  return true;
}

void ArrayBase::seekEnd() { position = byteSize(); }

void ArrayBase::seekBeforeEnd(uint32_t bytes) {
  uint32_t total = byteSize();
  position = bytes >= total ? 0 : total - bytes;
}

void ArrayBase::skipBackward(uint32_t bytes) { position = bytes >= position ? 0 : position - bytes; }

}  // namespace s::col::_array
