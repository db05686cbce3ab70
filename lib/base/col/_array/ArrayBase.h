// The library's one collection shape: a contiguous, growable array of fixed-size elements (a power
// of two in bytes), pooled, comparable, printable as text or markup and usable as a byte stream.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/col/ICollection.h"
#include "base/io/IInputStream.h"
#include "base/io/IOutputStream.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::digest {
class IDigester;
}

namespace s::col::_array {

class ArrayU08;

class ArrayBase : public s::col::ICollection, public s::io::IInputStream, public s::io::IOutputStream {
 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;

  explicit ArrayBase(uint8_t elementShift);
  ~ArrayBase() override;
  ArrayBase(const ArrayBase&) = delete;
  ArrayBase& operator=(const ArrayBase&) = delete;

  // Every base declares destroy and release; these settle which one an array pointer means.
  void destroy(uint32_t flags) { s::base::IComparable::destroy(flags); }
  void release() override = 0;

  // Root operations: with no comparator, smaller arrays first, then element by element.
  int32_t compareTo(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  int32_t compareToIgnoreCase(const IComparable* other,
                              s::base::IComparator* comparator = nullptr) const override;

  virtual const char16_t* getName() const { return getClassName(); }
  // n = -1 copies to the end.
  virtual void copyTo(ArrayBase* target, uint32_t targetIndex, uint32_t from, int32_t n) const;
  virtual void copyFrom(const ArrayBase* source, uint32_t at, uint32_t from, int32_t n);
  virtual uint32_t size() const { return count; }
  // Sets the count, reserving exactly n when the capacity is smaller.
  virtual void setSize(uint32_t n);
  // n elements in bytes; -1 = the count.
  virtual uint32_t byteSize(int32_t n = -1) const;
  virtual void copyOut(void* destination, uint32_t destinationIndex, uint32_t from, uint32_t n) const;
  // Copies n elements of `source` from `srcIndex` to index `at`, reserving exactly.
  virtual void write(const void* source, uint32_t n, uint32_t srcIndex, uint32_t at);
  virtual void append(const void* source, uint32_t n, uint32_t srcIndex = 0);
  virtual void prepend(const void* source, uint32_t n, uint32_t srcIndex = 0);
  virtual void insert(uint32_t at, const void* source, uint32_t n, uint32_t srcIndex = 0);
  virtual void dropLast(uint32_t n);
  virtual void dropFirst(uint32_t n);
  virtual void remove(uint32_t at, uint32_t n);
  virtual void takeLast(void* destination, uint32_t n, uint32_t destinationIndex = 0);
  virtual void takeFirst(void* destination, uint32_t n, uint32_t destinationIndex = 0);
  virtual void take(uint32_t at, void* destination, uint32_t n, uint32_t destinationIndex = 0);
  virtual int32_t compareBytes(uint32_t at, const void* block, uint32_t blockLength, uint32_t blockIndex,
                               uint32_t n) const;
  // Count and position to 0; elements are not disposed of.
  virtual void clear();
  // Frees the storage, count and position to 0 (this is reset).
  virtual void freeMemory();
  virtual void swap(uint32_t i, uint32_t j);
  virtual void reverse();
  virtual uint32_t elementKind() const = 0;
  virtual const void* elementKindTag() const = 0;
  virtual void appendElementText(StrBuffer* text, const void* element) const = 0;
  virtual void appendElementMarkup(StrBuffer* text, const void* element) const = 0;
  // Class id, " [", element texts separated by one space, "]". A null text acquires one; without
  // `append` a given text is emptied first.
  virtual StrBuffer* toText(StrBuffer* text = nullptr, bool append = false) const;
  // <classid length="n">markup of the elements</classid>, no white space.
  virtual StrBuffer* toMarkup(StrBuffer* text = nullptr, bool append = false) const;
  // Feeds every element byte to the digester (a pooled MD5 when null) and returns the digest bytes.
  virtual ArrayU08* digest(s::digest::IDigester* digester = nullptr, ArrayU08* out = nullptr) const;
  virtual StrBuffer* appendAllMarkup(StrBuffer* text = nullptr, bool append = false) const;
  virtual s::base::IComparator* getComparator() const = 0;
  virtual void swapWith(uint32_t i, uint32_t j, void* scratch);

  // Capacity management; reserve takes growth steps, reserveExact allocates exactly.
  void reserve(uint32_t n);
  void reserveExact(uint32_t n);
  uint32_t getCapacity() const { return capacity; }
  uint8_t getElementShift() const { return elementShift; }

  // Enumerable face.
  s::col::IteratorBase* iteratorAtStart() override;
  s::col::IteratorBase* iteratorAtEnd() override;
  s::col::IteratorBase* iteratorAt(uint32_t i) override;
  s::col::IteratorBase* iteratorAtFromEnd(uint32_t i) override;
  void* elementAt(uint32_t i) override { return items + (static_cast<uintptr_t>(i) << elementShift); }
  const void* elementAt(uint32_t i) const { return items + (static_cast<uintptr_t>(i) << elementShift); }
  uint32_t elementCount() const override { return count; }
  uint32_t elementBytes() const override { return 1u << elementShift; }
  s::io::IInputStream* openInputStream() override;

  // Stream faces over the element bytes, sharing one position.
  bool readBytes(void* buffer, uint32_t n, uint32_t* got) override;
  bool writeBytes(const void* bytes, uint32_t n) override;
  uint32_t getPosition() const override { return position; }
  void setPosition(uint32_t bytes) override { position = bytes; }
  void rewind() override { position = 0; }
  void seekEnd() override;
  void seekBeforeEnd(uint32_t bytes) override;
  void skipForward(uint32_t bytes) override { position += bytes; }
  void skipBackward(uint32_t bytes) override;
  bool ready() const override { return true; }

  void reset() override { freeMemory(); }

 protected:
  // Storage helpers: false when the size overflows or memory runs out, leaving the array unchanged.
  bool growTo(uint32_t newCapacity);
  bool ensureRoom(uint64_t needed);
  bool ensureExact(uint64_t needed);
  size_t bytesOf(uint64_t elements) const { return static_cast<size_t>(elements << elementShift); }
  uint8_t* slot(uint32_t i) { return items + bytesOf(i); }
  const uint8_t* slot(uint32_t i) const { return items + bytesOf(i); }
  // Opens a gap of n elements at `at` (at <= count) and copies n source elements into it.
  void insertAt(uint32_t at, const void* source, uint32_t n, uint32_t srcIndex);
  int32_t compareElements(const IComparable* other, bool ignoreCase) const;
  // The text to fill: `text` (emptied unless appending) or a newly acquired buffer.
  static StrBuffer* targetText(StrBuffer* text, bool append);

  uint8_t elementShift;
  uint8_t* items = nullptr;
  uint32_t count = 0;
  uint32_t capacity = 0;
  uint32_t position = 0;
};

}  // namespace s::col::_array
