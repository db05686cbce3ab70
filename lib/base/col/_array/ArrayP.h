// An array of object pointers that can own its elements through an element destroyer: a class pool
// (elements go back to their pool), CleanerIObject (destroyed) or CleanerRawObject (freed).
#pragma once

#include "base/IDestructor.h"
#include "base/col/_array/ArrayBase.h"

namespace s::col::_array {

class ArrayP : public ArrayBase {
  S_CLASS_NAME(u"s_col__array_ArrayP")
  S_POOLED(ArrayP)

 public:
  ArrayP();
  explicit ArrayP(s::base::IDestructor* elementDestroyer);
  ~ArrayP() override;

  void setElementDestroyer(s::base::IDestructor* destroyer) { elementDestroyer = destroyer; }
  s::base::IDestructor* getElementDestroyer() const { return elementDestroyer; }

  void* get(uint32_t i) const { return reinterpret_cast<void* const*>(items)[i]; }
  void set(uint32_t i, void* p) { reinterpret_cast<void**>(items)[i] = p; }
  // Stores straight into free room; only a full array takes the general append and its growth step.
  void appendPointer(void* p) {
    if (count < capacity) {
      set(count++, p);
      return;
    }
    append(&p, 1, 0);
  }
  // Removes and returns the last pointer; null when empty.
  void* popLast();

  // Passes each slot to the destroyer (the array's own when null), then empties the array.
  void disposeAll(s::base::IDestructor* destroyer = nullptr);
  // Disposes of the elements with the array's destroyer before freeing the storage.
  void freeMemory() override;

  uint32_t elementKind() const override;
  const void* elementKindTag() const override;
  void appendElementText(StrBuffer* text, const void* element) const override;
  void appendElementMarkup(StrBuffer* text, const void* element) const override;
  s::base::IComparator* getComparator() const override;

 private:
  s::base::IDestructor* elementDestroyer = nullptr;
};

}  // namespace s::col::_array
