// The getters: the first record of the name, converted from its stored text, or the default.
#include <win/crt.h>

#include "base/str/strbuffer/StrBuffer.h"
#include "xml/Escaping.h"
#include "xml/Node.h"

namespace s::xml {

namespace {

// Signed and unsigned 32-bit conversions keep the low bits of the number read.
int32_t signed32(const char16_t* text) { return _wtoi(text); }
uint32_t unsigned32(const char16_t* text) { return static_cast<uint32_t>(_wtoi64(text)); }

}  // namespace

const char16_t* Node::getRaw(const char16_t* attrName, const char16_t* defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? record->value : defaultValue;
}

bool Node::getBool(const char16_t* attrName, bool defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  if (!record) return defaultValue;
  const char16_t* v = record->value;
  if (v[0] == u'1') return true;
  return v[0] == u't' && v[1] == u'r' && v[2] == u'u' && v[3] == u'e';
}

int8_t Node::getI8(const char16_t* attrName, int8_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? static_cast<int8_t>(signed32(record->value)) : defaultValue;
}

int16_t Node::getI16(const char16_t* attrName, int16_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? static_cast<int16_t>(signed32(record->value)) : defaultValue;
}

int32_t Node::getI32(const char16_t* attrName, int32_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? signed32(record->value) : defaultValue;
}

int64_t Node::getI64(const char16_t* attrName, int64_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? _wtoi64(record->value) : defaultValue;
}

uint8_t Node::getU8(const char16_t* attrName, uint8_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? static_cast<uint8_t>(unsigned32(record->value)) : defaultValue;
}

uint16_t Node::getU16(const char16_t* attrName, uint16_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? static_cast<uint16_t>(unsigned32(record->value)) : defaultValue;
}

uint32_t Node::getU32(const char16_t* attrName, uint32_t defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? unsigned32(record->value) : defaultValue;
}

uint64_t Node::getU64(const char16_t* attrName, uint64_t defaultValue) const {
  // Both 64-bit getters read a signed number, which is how setU64 writes one.
  const AttrRecord* record = attributes.byName(attrName);
  return record ? static_cast<uint64_t>(_wtoi64(record->value)) : defaultValue;
}

float Node::getFloat(const char16_t* attrName, float defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? static_cast<float>(_wtof(record->value)) : defaultValue;
}

double Node::getDouble(const char16_t* attrName, double defaultValue) const {
  const AttrRecord* record = attributes.byName(attrName);
  return record ? _wtof(record->value) : defaultValue;
}

Node::StrBuffer* Node::getString(StrBuffer* target, const char16_t* attrName, const char16_t* defaultValue,
                                 bool append) const {
  StrBuffer* out = target ? target : StrBuffer::acquire();
  if (!out) return nullptr;
  if (!append) out->clear();
  const AttrRecord* record = attributes.byName(attrName);
  if (!record) {
    if (defaultValue) out->appendText(defaultValue);
    return out;
  }
  if (record->isTextRun()) {
    Escaping::appendTextUnescaped(out, record->value, record->valueLength);
  } else {
    Escaping::appendAttributeUnescaped(out, record->value, record->valueLength);
  }
  return out;
}

}  // namespace s::xml
