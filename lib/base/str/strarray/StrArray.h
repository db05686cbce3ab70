// A pooled list of string buffers, as splitting returns them. The list owns its strings: clearing
// or releasing it gives every string back to the string pool, destroying it destroys them.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/IPoolable.h"

namespace s::str {
class IStr;
}
namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::str::strarray {

class StrArray : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_str_strarray_StrArray")
  S_POOLED(StrArray)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;
  using IObject::destroy;

  StrArray();
  ~StrArray() override;
  StrArray(const StrArray&) = delete;
  StrArray& operator=(const StrArray&) = delete;

  // Gives every string back to its pool and frees the list's storage.
  void reset() override;

  uint32_t size() const { return strings.size(); }
  StrBuffer* get(uint32_t i) const { return static_cast<StrBuffer*>(strings.get(i)); }
  // Takes ownership of `text`; a null text is not added.
  void add(StrBuffer* text);
  // Gives every string back to its pool; the storage is kept.
  void clear();
  // Whether a string equal to `text` with A-Z folded is in the list.
  bool containsIgnoreCase(const s::str::IStr* text) const;

 private:
  s::col::_array::ArrayP strings;
};

}  // namespace s::str::strarray
