// The attribute list of an element: its attribute records and text runs in document or insertion
// order. The list owns its records and gives them back to the attribute factory when they are
// removed or cleared. Names are found ignoring ASCII case, and the first match wins.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/IPoolable.h"
#include "xml/AttrRecord.h"

namespace s::xml {

class Attributes : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_xml_Attributes")
  S_POOLED(Attributes)

 public:
  using IObject::destroy;

  Attributes();
  ~Attributes() override;
  Attributes(const Attributes&) = delete;
  Attributes& operator=(const Attributes&) = delete;

  // Gives every record back and frees the list's memory.
  void reset() override;

  uint32_t size() const { return records.size(); }
  // The record at `index`, no bounds check.
  AttrRecord* get(uint32_t index) const { return static_cast<AttrRecord*>(records.get(index)); }

  // The first record whose name equals `name` ignoring ASCII case; a null name means the empty one,
  // which names the text runs.
  bool find(const char16_t* name, uint32_t* index) const;
  AttrRecord* byName(const char16_t* name) const;
  // The first text run, or null.
  AttrRecord* firstTextRun() const;

  // Appends a record; the list takes it over.
  void append(AttrRecord* record);
  // Appends a record with copies of the name and the stored (escaped) value; -1 = up to the
  // terminator. False when memory runs out.
  bool add(const char16_t* name, int32_t nameLength, const char16_t* value, int32_t valueLength);
  // Removes the record at `index` and gives it back.
  void removeAt(uint32_t index);
  // Removes the first record of that name; false when there is none.
  bool removeFirst(const char16_t* name);
  // Gives every record back, keeping the list's memory.
  void clear();

 private:
  // Room the list takes when its first record arrives.
  static constexpr uint32_t kFirstRoom = 4;

  s::col::_array::ArrayP records;
};

}  // namespace s::xml
