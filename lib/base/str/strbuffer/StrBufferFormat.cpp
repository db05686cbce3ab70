// Number formatting and parsing of the string buffer: decimal and floating-point appends and sets
// through the run-time wide printf, fixed-width hexadecimal dumps, and hexadecimal digit reading.
#include <win/crt.h>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/ObjLocker.h"

namespace s::str::strbuffer {

namespace {

// Room for one formatted number: 256 units and the terminator.
constexpr uint32_t kNumberRoom = 256;
// Enough for any double in "%f" (309 integer digits, sign, point and six decimals).
constexpr uint32_t kWideNumberRoom = 512;

// The process-wide scratch buffer the set family formats into, under its lock.
s::thread::ObjLocker& scratchLocker() {
  static s::thread::ObjLocker locker(new StrBuffer(),
                                     [](void* held) { static_cast<StrBuffer*>(held)->destroy(1); });
  return locker;
}

}  // namespace

template <class T>
void StrBuffer::appendFormatted(const char16_t* format, T value) {
  uint32_t rooms[2] = {kNumberRoom, kWideNumberRoom};
  for (uint32_t room : rooms) {
    uint64_t needed = static_cast<uint64_t>(unitCount) + room;
    if (needed >= 0xFFFFFFFFull || !reserve(static_cast<uint32_t>(needed))) return;
    int written = _snwprintf(chars + unitCount, room + 1, format, value);
    if (written >= 0) {
      unitCount += static_cast<uint32_t>(written);
      return;
    }
  }
}

template <class T>
void StrBuffer::setFormatted(const char16_t* format, T value) {
  s::thread::ObjLocker& locker = scratchLocker();
  s::thread::ObjLocker::Scope scope(locker);
  StrBuffer* scratch = locker.heldAs<StrBuffer>();
  scratch->clear();
  scratch->appendFormatted(format, value);
  setChars(scratch->chars, static_cast<int32_t>(scratch->unitCount));
}

// ---- Appends ----

void StrBuffer::appendS64(int64_t value) { appendFormatted(u"%I64d", value); }
void StrBuffer::appendU64(uint64_t value) { appendFormatted(u"%I64u", value); }
void StrBuffer::appendU32(uint32_t value) { appendFormatted(u"%u", static_cast<unsigned>(value)); }
void StrBuffer::appendU16(uint16_t value) { appendFormatted(u"%u", static_cast<unsigned>(value)); }
void StrBuffer::appendU08(uint8_t value) { appendFormatted(u"%u", static_cast<unsigned>(value)); }
void StrBuffer::appendS32(int32_t value) { appendFormatted(u"%d", static_cast<int>(value)); }
void StrBuffer::appendS16(int16_t value) { appendFormatted(u"%d", static_cast<int>(value)); }
void StrBuffer::appendS08(int8_t value) { appendFormatted(u"%d", static_cast<int>(value)); }
void StrBuffer::appendFloat(float value) { appendFormatted(u"%f", static_cast<double>(value)); }
void StrBuffer::appendDouble(double value) { appendFormatted(u"%f", value); }

// ---- Sets ----

void StrBuffer::setS64(int64_t value) { setFormatted(u"%I64d", value); }
void StrBuffer::setU64(uint64_t value) { setFormatted(u"%I64u", value); }
void StrBuffer::setU32(uint32_t value) { setFormatted(u"%u", static_cast<unsigned>(value)); }
void StrBuffer::setU16(uint16_t value) { setFormatted(u"%u", static_cast<unsigned>(value)); }
void StrBuffer::setU08(uint8_t value) { setFormatted(u"%u", static_cast<unsigned>(value)); }
void StrBuffer::setS32(int32_t value) { setFormatted(u"%d", static_cast<int>(value)); }
void StrBuffer::setS16(int16_t value) { setFormatted(u"%d", static_cast<int>(value)); }
void StrBuffer::setS08(int8_t value) { setFormatted(u"%d", static_cast<int>(value)); }
void StrBuffer::setFloat(float value) { setFormatted(u"%f", static_cast<double>(value)); }
void StrBuffer::setDouble(double value) { setFormatted(u"%f", value); }

// ---- Hexadecimal ----

namespace {

// Appends `count` values, each printed into exactly `digits` units.
template <class T, class Printed>
void appendHexValues(StrBuffer* text, const T* values, uint32_t count, uint32_t digits, const char16_t* format) {
  if (!values || count == 0) return;
  uint64_t needed = static_cast<uint64_t>(text->length()) + static_cast<uint64_t>(count) * digits;
  if (needed >= 0xFFFFFFFFull || !text->reserve(static_cast<uint32_t>(needed))) return;
  uint32_t at = text->length();
  for (uint32_t i = 0; i < count; ++i) {
    // The terminator lands on the next value's first unit, or on the block's spare unit.
    int written = _snwprintf(text->charPointer(at), digits + 1, format, static_cast<Printed>(values[i]));
    if (written != static_cast<int>(digits)) break;
    at += digits;
  }
  text->setLength(at);
}

}  // namespace

void StrBuffer::appendHexBytes(const uint8_t* values, uint32_t count) {
  appendHexValues<uint8_t, unsigned>(this, values, count, 2, u"%02x");
}

void StrBuffer::appendHex16(const uint16_t* values, uint32_t count) {
  appendHexValues<uint16_t, unsigned>(this, values, count, 4, u"%04x");
}

void StrBuffer::appendHex32(const uint32_t* values, uint32_t count) {
  appendHexValues<uint32_t, unsigned>(this, values, count, 8, u"%08x");
}

void StrBuffer::appendHex64(const uint64_t* values, uint32_t count) {
  appendHexValues<uint64_t, uint64_t>(this, values, count, 16, u"%016I64x");
}

namespace {

inline int hexValue(char16_t u) {
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

}  // namespace

bool StrBuffer::isHex() const {
  if (unitCount == 0) return false;
  for (uint32_t i = 0; i < unitCount; ++i)
    if (hexValue(chars[i]) < 0) return false;
  return true;
}

uint8_t StrBuffer::hexDigitAt(uint32_t i) const {
  int value = hexValue(chars[i]);
  return value < 0 ? 0 : static_cast<uint8_t>(value);
}

StrBuffer::ArrayU08* StrBuffer::hexToBytes(ArrayU08* bytes, bool append) const {
  ArrayU08* out = bytes ? bytes : ArrayU08::acquire();
  if (!out) return nullptr;
  if (!append) out->clear();
  uint32_t pairs = unitCount / 2;
  uint32_t start = out->size();
  out->setSize(start + pairs);
  uint8_t* data = out->data();
  for (uint32_t i = 0; i < pairs; ++i)
    data[start + i] = static_cast<uint8_t>((hexDigitAt(2 * i) << 4) | hexDigitAt(2 * i + 1));
  return out;
}

bool StrBuffer::isInteger() const {
  if (unitCount == 0) return false;
  uint32_t i = (chars[0] == u'-' && unitCount > 1) ? 1 : 0;
  for (; i < unitCount; ++i)
    if (chars[i] < u'0' || chars[i] > u'9') return false;
  return true;
}

// ---- Parsing ----

int32_t StrBuffer::toInt() { return _wtoi(getText()); }

int64_t StrBuffer::toInt64() { return _wtoi64(getText()); }

float StrBuffer::toFloat() { return static_cast<float>(_wtof(getText())); }

}  // namespace s::str::strbuffer
