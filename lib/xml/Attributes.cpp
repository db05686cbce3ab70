#include "xml/Attributes.h"

#include <win/crt.h>

#include "base/thread/EasyPooler.h"
#include "xml/AttrFactory.h"

namespace s::xml {

S_POOLED_IMPL(Attributes, s::thread::EasyPooler::kDefaultLimit)

Attributes::Attributes() : records(AttrFactory::shared()) { reset(); }

Attributes::~Attributes() { records.freeMemory(); }

void Attributes::reset() {
  // The records go back to the factory under one entry into its lock, then the storage is freed.
  if (records.size() > 0) {
    AttrFactory::shared()->destructMany(static_cast<void**>(records.elementAt(0)), records.size());
    records.setSize(0);
  }
  records.freeMemory();
}

bool Attributes::find(const char16_t* name, uint32_t* index) const {
  const char16_t* wanted = name ? name : u"";
  uint32_t n = records.size();
  for (uint32_t i = 0; i < n; ++i) {
    if (_wcsicmp(get(i)->name, wanted) == 0) {
      if (index) *index = i;
      return true;
    }
  }
  return false;
}

AttrRecord* Attributes::byName(const char16_t* name) const {
  uint32_t index = 0;
  return find(name, &index) ? get(index) : nullptr;
}

AttrRecord* Attributes::firstTextRun() const {
  uint32_t n = records.size();
  for (uint32_t i = 0; i < n; ++i)
    if (get(i)->isTextRun()) return get(i);
  return nullptr;
}

void Attributes::append(AttrRecord* record) {
  if (record) records.appendPointer(record);
}

bool Attributes::add(const char16_t* name, int32_t nameLength, const char16_t* value, int32_t valueLength) {
  AttrRecord* record = AttrFactory::shared()->make(name, nameLength, value, valueLength);
  if (!record) return false;
  // Most elements hold a record or two, so the list starts small rather than at a growth step.
  if (records.getCapacity() == 0) records.reserveExact(kFirstRoom);
  uint32_t before = records.size();
  records.appendPointer(record);
  if (records.size() == before) {
    // The list could not grow: the record has no home.
    AttrFactory::shared()->give(record);
    return false;
  }
  return true;
}

void Attributes::removeAt(uint32_t index) {
  if (index >= records.size()) return;
  AttrRecord* record = get(index);
  records.remove(index, 1);
  AttrFactory::shared()->give(record);
}

bool Attributes::removeFirst(const char16_t* name) {
  uint32_t index = 0;
  if (!find(name, &index)) return false;
  removeAt(index);
  return true;
}

void Attributes::clear() { records.disposeAll(); }

}  // namespace s::xml
