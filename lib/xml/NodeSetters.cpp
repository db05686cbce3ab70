// The typed setters. Each appends a new record; numbers are written with the run-time library's
// wide formatting, strings escaped with the scheme their name calls for, arrays in hexadecimal.
#include <win/crt.h>

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/ObjLocker.h"
#include "xml/Escaping.h"
#include "xml/Node.h"

namespace s::xml {

namespace {

using s::str::strbuffer::StrBuffer;
using s::thread::ObjLocker;

// The one scratch string that the setters of every tree share, behind its own lock.
ObjLocker& scratchLocker() {
  static ObjLocker locker(StrBuffer::acquire(), [](void* held) {
    if (held) static_cast<StrBuffer*>(held)->destroy(1);
  });
  return locker;
}

const char16_t* orEmpty(const char16_t* text) { return text ? text : u""; }

}  // namespace

void Node::appendFormatted(const char16_t* attrName, const char16_t* value, int32_t length) {
  attributes.add(orEmpty(attrName), -1, value, length);
}

void Node::appendEscaped(const char16_t* attrName, const char16_t* text, int32_t length) {
  ObjLocker& locker = scratchLocker();
  ObjLocker::Scope guard(locker);
  StrBuffer* scratch = locker.heldAs<StrBuffer>();
  if (!scratch) return;
  scratch->clear();
  if (orEmpty(attrName)[0] == 0) {
    Escaping::appendTextEscaped(scratch, text, length);
  } else {
    Escaping::appendAttributeEscaped(scratch, text, length);
  }
  appendFormatted(attrName, scratch->getChars(), static_cast<int32_t>(scratch->length()));
}

namespace {

// Formats one value and appends it as a record of `node`. Nearly every value fits the 256 units
// on the stack; a longer one (a huge double in fixed point) is formatted in the shared scratch
// instead of being cut short.
template <class T>
void formatValue(Node* node, const char16_t* attrName, const char16_t* format, T value,
                 void (*add)(Node*, const char16_t*, const char16_t*, int32_t)) {
  char16_t local[256];
  int written = _snwprintf(local, 256, format, value);
  if (written >= 0) {
    add(node, attrName, local, written);
    return;
  }
  int needed = _scwprintf(format, value);
  if (needed < 0) return;
  ObjLocker& locker = scratchLocker();
  ObjLocker::Scope guard(locker);
  StrBuffer* scratch = locker.heldAs<StrBuffer>();
  if (!scratch || !scratch->reserveExact(static_cast<uint32_t>(needed) + 1)) return;
  written = _snwprintf(scratch->charPointer(0), static_cast<size_t>(needed) + 1, format, value);
  if (written < 0) return;
  scratch->setLength(static_cast<uint32_t>(written));
  add(node, attrName, scratch->getChars(), written);
}

void addRecord(Node* node, const char16_t* attrName, const char16_t* value, int32_t length) {
  node->getAttributes()->add(orEmpty(attrName), -1, value, length);
}

}  // namespace

void Node::setU64(const char16_t* attrName, uint64_t value) {
  // Written as a signed number: 2^63 and above come out negative and read back to the same bits.
  formatValue(this, attrName, u"%I64d", static_cast<int64_t>(value), addRecord);
}
void Node::setU32(const char16_t* attrName, uint32_t value) {
  formatValue(this, attrName, u"%u", static_cast<unsigned>(value), addRecord);
}
void Node::setU16(const char16_t* attrName, uint16_t value) {
  formatValue(this, attrName, u"%u", static_cast<unsigned>(value), addRecord);
}
void Node::setU8(const char16_t* attrName, uint8_t value) {
  formatValue(this, attrName, u"%u", static_cast<unsigned>(value), addRecord);
}
void Node::setI64(const char16_t* attrName, int64_t value) {
  formatValue(this, attrName, u"%I64d", value, addRecord);
}
void Node::setI32(const char16_t* attrName, int32_t value) {
  formatValue(this, attrName, u"%d", static_cast<int>(value), addRecord);
}
void Node::setI16(const char16_t* attrName, int16_t value) {
  formatValue(this, attrName, u"%d", static_cast<int>(value), addRecord);
}
void Node::setI8(const char16_t* attrName, int8_t value) {
  formatValue(this, attrName, u"%d", static_cast<int>(value), addRecord);
}
void Node::setFloat(const char16_t* attrName, float value) {
  formatValue(this, attrName, u"%f", static_cast<double>(value), addRecord);
}
void Node::setDouble(const char16_t* attrName, double value) {
  formatValue(this, attrName, u"%f", value, addRecord);
}

void Node::setString(const char16_t* attrName, const char16_t* text) { appendEscaped(attrName, text, -1); }

namespace {

// Writes the values in hexadecimal into the shared scratch and appends the record.
template <class Write>
void setHex(Node* node, const char16_t* attrName, Write write) {
  ObjLocker& locker = scratchLocker();
  ObjLocker::Scope guard(locker);
  StrBuffer* scratch = locker.heldAs<StrBuffer>();
  if (!scratch) return;
  scratch->clear();
  write(scratch);
  addRecord(node, attrName, scratch->getChars(), static_cast<int32_t>(scratch->length()));
}

}  // namespace

void Node::setArrayU64(const char16_t* attrName, const uint64_t* values, uint32_t count) {
  setHex(this, attrName, [&](StrBuffer* out) { if (values) out->appendHex64(values, count); });
}
void Node::setArrayU32(const char16_t* attrName, const uint32_t* values, uint32_t count) {
  setHex(this, attrName, [&](StrBuffer* out) { if (values) out->appendHex32(values, count); });
}
void Node::setArrayU16(const char16_t* attrName, const uint16_t* values, uint32_t count) {
  setHex(this, attrName, [&](StrBuffer* out) { if (values) out->appendHex16(values, count); });
}
void Node::setArrayU8(const char16_t* attrName, const uint8_t* values, uint32_t count) {
  setHex(this, attrName, [&](StrBuffer* out) { if (values) out->appendHexBytes(values, count); });
}
void Node::setArrayI64(const char16_t* attrName, const int64_t* values, uint32_t count) {
  setArrayU64(attrName, reinterpret_cast<const uint64_t*>(values), count);
}
void Node::setArrayI32(const char16_t* attrName, const int32_t* values, uint32_t count) {
  setArrayU32(attrName, reinterpret_cast<const uint32_t*>(values), count);
}
void Node::setArrayI16(const char16_t* attrName, const int16_t* values, uint32_t count) {
  setArrayU16(attrName, reinterpret_cast<const uint16_t*>(values), count);
}
void Node::setArrayI8(const char16_t* attrName, const int8_t* values, uint32_t count) {
  setArrayU8(attrName, reinterpret_cast<const uint8_t*>(values), count);
}
void Node::setArray32(const char16_t* attrName, const uint32_t* values, uint32_t count) {
  setArrayU32(attrName, values, count);
}

void Node::setArray64Halves(const char16_t* attrName, const uint64_t* values, uint32_t count) {
  setHex(this, attrName, [&](StrBuffer* out) {
    if (!values) return;
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t halves[2] = {static_cast<uint32_t>(values[i]), static_cast<uint32_t>(values[i] >> 32)};
      out->appendHex32(halves, 2);
    }
  });
}

}  // namespace s::xml
