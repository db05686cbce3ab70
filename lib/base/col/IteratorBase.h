// The pooled cursor over an enumerable's elements. Index -1 stands before the first element; `next`
// returns the cursor and moves it one element on, `previous` moves it back and returns it.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/col/IEnumerable.h"
#include "base/thread/IPoolable.h"

namespace s::col {

class IteratorBase : public s::base::IObject, public s::thread::IPoolable {
 public:
  IteratorBase() = default;

  virtual int32_t getIndex() const { return index; }
  virtual void setIndex(int32_t i);
  // index < count - 1.
  virtual bool hasNext() const;
  // index > 0.
  virtual bool hasPrevious() const { return index > 0; }
  virtual void skip(uint32_t n);
  virtual void skipBack(uint32_t n);
  virtual void* next();
  virtual void* previous();
  // Index -1, no collection, cursor null.
  void reset() override;

  // Places the iterator on a collection: index `i`, cursor on element `cursorElement`.
  void attach(IEnumerable* collection, int32_t i, uint32_t cursorElement);
  IEnumerable* getCollection() const { return collection; }

 protected:
  IEnumerable* collection = nullptr;
  int32_t index = -1;
  uint8_t* cursor = nullptr;
};

}  // namespace s::col
