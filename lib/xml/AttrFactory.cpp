#include "xml/AttrFactory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace s::xml {

namespace {

int32_t unitCount(const char16_t* text, int32_t length) {
  if (length >= 0) return length;
  if (!text) return 0;
  int32_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// The name and the value share one block, the name first, so a record costs one allocation.
void freeBlocks(AttrRecord* record) {
  delete[] record->name;
  *record = AttrRecord{0, nullptr, 0, nullptr};
}

}  // namespace

AttrFactory::AttrFactory() = default;

AttrFactory::~AttrFactory() { destroyAll(); }

AttrFactory* AttrFactory::shared() {
  static AttrFactory* const instance = [] {
    auto* factory = new AttrFactory();
    std::atexit([] { shared()->dropKept(); });
    return factory;
  }();
  return instance;
}

s::base::IObject* AttrFactory::newInstance() const { return new (std::nothrow) AttrFactory(); }

void* AttrFactory::generate() {
  auto* record = new (std::nothrow) AttrRecord;
  if (record) *record = AttrRecord{0, nullptr, 0, nullptr};
  return record;
}

uint32_t AttrFactory::weightOf(void*) { return kRecordWeight; }

void AttrFactory::resetObject(void* object) { freeBlocks(static_cast<AttrRecord*>(object)); }

void AttrFactory::destroyObject(void** slot) {
  auto* record = static_cast<AttrRecord*>(*slot);
  if (!record) return;
  freeBlocks(record);
  delete record;
  *slot = nullptr;
}

char16_t* AttrFactory::copyUnits(const char16_t* units, int32_t length) {
  if (length < 0) return nullptr;
  auto* block = new (std::nothrow) char16_t[static_cast<size_t>(length) + 1];
  if (!block) return nullptr;
  if (length > 0) std::memcpy(block, units, static_cast<size_t>(length) * sizeof(char16_t));
  block[length] = 0;
  return block;
}

AttrRecord* AttrFactory::make(const char16_t* name, int32_t nameLength, const char16_t* value,
                              int32_t valueLength) {
  nameLength = unitCount(name, nameLength);
  valueLength = unitCount(value, valueLength);
  auto* block = new (std::nothrow) char16_t[static_cast<size_t>(nameLength) + valueLength + 2];
  if (!block) return nullptr;
  auto* record = static_cast<AttrRecord*>(acquire());
  if (!record) {
    delete[] block;
    return nullptr;
  }
  if (nameLength > 0) std::memcpy(block, name, static_cast<size_t>(nameLength) * sizeof(char16_t));
  block[nameLength] = 0;
  char16_t* valueUnits = block + nameLength + 1;
  if (valueLength > 0) std::memcpy(valueUnits, value, static_cast<size_t>(valueLength) * sizeof(char16_t));
  valueUnits[valueLength] = 0;
  record->name = block;
  record->value = valueUnits;
  record->nameLength = nameLength;
  record->valueLength = valueLength;
  return record;
}

}  // namespace s::xml
