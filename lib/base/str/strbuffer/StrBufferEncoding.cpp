// Conversions of the string buffer to and from bytes (UTF-8, the OEM code page, Windows code pages
// by number, UTF-16 in either byte order) and its digest.
#include <win/codepage.h>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "base/str/strbuffer/Utf8Reader.h"
#include "digest/IDigester.h"
#include "digest/md5/Md5.h"
#include "system/codepage/CodePage.h"

namespace s::str::strbuffer {

using s::col::_array::ArrayU08;
using s::system::codepage::CodePage;

namespace {

// Opens `room` bytes after the array's content (emptied unless appending) and stores where they
// start in `*start`; `*opened` is false when the memory could not be had. The room is taken into
// the array's size first, since raising the size clears the bytes that come into use.
ArrayU08* openOutput(ArrayU08* bytes, bool append, uint64_t room, uint32_t* start, bool* opened) {
  ArrayU08* out = bytes ? bytes : ArrayU08::acquire();
  if (!out) return nullptr;
  if (!append) out->clear();
  *start = out->size();
  uint64_t total = *start + room;
  *opened = false;
  if (total >= 0xFFFFFFFFull) return out;
  out->reserve(static_cast<uint32_t>(total));
  out->setSize(static_cast<uint32_t>(total));
  *opened = out->size() == total;
  if (!*opened) out->setSize(*start);
  return out;
}

// Cuts the opened room down to `written` bytes and ends them with one 0 byte, counted in the length
// or left just after it.
ArrayU08* finishOutput(ArrayU08* out, uint32_t start, uint32_t written, bool countTerminator) {
  if (out->getCapacity() < start + written + 1) {
    out->reserveExact(start + written + 1);
    if (out->getCapacity() < start + written + 1) written = 0;
  }
  out->setSize(start + written + (countTerminator ? 1 : 0));
  if (out->getCapacity() > start + written) out->data()[start + written] = 0;
  return out;
}

inline size_t byteLength(const void* bytes) { return std::strlen(static_cast<const char*>(bytes)); }

}  // namespace

StrBuffer::ArrayU08* StrBuffer::encode(uint32_t codePage, ArrayU08* bytes, bool append,
                                       bool countTerminator) const {
  // Three bytes cover any unit of UTF-8 and of the common code pages; two more for the terminator.
  uint64_t room = static_cast<uint64_t>(unitCount) * 3 + 2;
  uint32_t start = 0;
  bool opened = false;
  ArrayU08* out = openOutput(bytes, append, room, &start, &opened);
  if (!out) return nullptr;
  int written = 0;
  if (unitCount > 0 && opened) {
    written = WideCharToMultiByte(codePage, 0, chars, static_cast<int>(unitCount),
                                  reinterpret_cast<char*>(out->data() + start), static_cast<int>(room - 1),
                                  nullptr, nullptr);
    if (written <= 0) {
      // Some code pages need four bytes for a unit: ask for the exact size and convert again.
      int needed = WideCharToMultiByte(codePage, 0, chars, static_cast<int>(unitCount), nullptr, 0, nullptr, nullptr);
      written = 0;
      if (needed > 0 && static_cast<uint64_t>(start) + needed + 1 < 0xFFFFFFFFull) {
        uint32_t total = start + static_cast<uint32_t>(needed);
        out->reserveExact(total + 1);
        out->setSize(total);
        if (out->size() == total) {
          written = WideCharToMultiByte(codePage, 0, chars, static_cast<int>(unitCount),
                                        reinterpret_cast<char*>(out->data() + start), needed, nullptr, nullptr);
          if (written < 0) written = 0;
        }
      }
    }
  }
  return finishOutput(out, start, static_cast<uint32_t>(written), countTerminator);
}

StrBuffer::ArrayU08* StrBuffer::encodeUtf16(bool bigEndian, ArrayU08* bytes, bool append,
                                            bool countTerminator) const {
  uint64_t room = static_cast<uint64_t>(unitCount) * 2 + 2;
  uint32_t start = 0;
  bool opened = false;
  ArrayU08* out = openOutput(bytes, append, room, &start, &opened);
  if (!out) return nullptr;
  if (!opened) return finishOutput(out, start, 0, countTerminator);
  uint8_t* target = out->data() + start;
  for (uint32_t i = 0; i < unitCount; ++i) {
    uint8_t low = static_cast<uint8_t>(chars[i] & 0xFF);
    uint8_t high = static_cast<uint8_t>(chars[i] >> 8);
    target[2 * i] = bigEndian ? high : low;
    target[2 * i + 1] = bigEndian ? low : high;
  }
  return finishOutput(out, start, unitCount * 2, countTerminator);
}

uint32_t StrBuffer::decode(uint32_t codePage, const void* bytes, bool append, int32_t count) {
  if (!append) clear();
  if (!bytes) return 0;
  size_t n = count < 0 ? byteLength(bytes) : static_cast<size_t>(count);
  if (n == 0 || n > 0x7FFFFFFF) return 0;
  // No code page yields more units than bytes.
  uint64_t needed = static_cast<uint64_t>(unitCount) + n;
  if (needed >= 0xFFFFFFFFull || !reserveExact(static_cast<uint32_t>(needed))) return 0;
  const auto* source = static_cast<const char*>(bytes);
  if (codePage == CP_UTF8) {
    // Well-formed UTF-8 is decoded here in one pass; anything doubtful goes to the platform below.
    int64_t units = Utf8Reader::decodeWellFormed(static_cast<const uint8_t*>(bytes), n, chars + unitCount);
    if (units > 0) {
      unitCount += static_cast<uint32_t>(units);
      return static_cast<uint32_t>(units);
    }
  }
  int got = MultiByteToWideChar(codePage, 0, source, static_cast<int>(n), chars + unitCount,
                                static_cast<int>(unitCapacity - unitCount));
  if (got <= 0) {
    // Should a converter ever need more room, ask for the exact size and convert again.
    int units = MultiByteToWideChar(codePage, 0, source, static_cast<int>(n), nullptr, 0);
    if (units <= 0 || static_cast<uint64_t>(unitCount) + units >= 0xFFFFFFFFull ||
        !reserveExact(unitCount + static_cast<uint32_t>(units)))
      return 0;
    got = MultiByteToWideChar(codePage, 0, source, static_cast<int>(n), chars + unitCount, units);
    if (got <= 0) return 0;
  }
  unitCount += static_cast<uint32_t>(got);
  return static_cast<uint32_t>(got);
}

uint32_t StrBuffer::decodeUtf16(bool bigEndian, const void* bytes, bool append, int32_t count) {
  if (!append) clear();
  if (!bytes) return 0;
  const auto* source = static_cast<const uint8_t*>(bytes);
  size_t units = 0;
  if (count < 0) {
    while (source[2 * units] != 0 || source[2 * units + 1] != 0) ++units;
  } else {
    units = static_cast<size_t>(count) / 2;
  }
  uint64_t needed = static_cast<uint64_t>(unitCount) + units;
  if (units == 0 || needed >= 0xFFFFFFFFull || !reserve(static_cast<uint32_t>(needed))) return 0;
  for (size_t i = 0; i < units; ++i) {
    uint8_t first = source[2 * i];
    uint8_t second = source[2 * i + 1];
    chars[unitCount + i] = bigEndian ? static_cast<char16_t>((first << 8) | second)
                                     : static_cast<char16_t>((second << 8) | first);
  }
  unitCount += static_cast<uint32_t>(units);
  return static_cast<uint32_t>(units);
}

// ---- UTF-8 ----

StrBuffer::ArrayU08* StrBuffer::toUtf8(ArrayU08* bytes, bool append) const {
  return encode(CP_UTF8, bytes, append, false);
}

StrBuffer::ArrayU08* StrBuffer::toUtf8Terminated(ArrayU08* bytes, bool append) const {
  return encode(CP_UTF8, bytes, append, true);
}

uint32_t StrBuffer::fromUtf8(const void* bytes, bool append, int32_t count) {
  return decode(CP_UTF8, bytes, append, count);
}

// ---- Code page objects ----

namespace {

uint32_t pageNumber(const CodePage* page) { return page ? page->getNumber() : CP_ACP; }

}  // namespace

StrBuffer::ArrayU08* StrBuffer::toCodePage(const CodePage* page, ArrayU08* bytes, bool append) const {
  uint32_t number = pageNumber(page);
  if (number == CodePage::kUtf16LittleEndian) return encodeUtf16(false, bytes, append, false);
  if (number == CodePage::kUtf16BigEndian) return encodeUtf16(true, bytes, append, false);
  return encode(number, bytes, append, false);
}

StrBuffer::ArrayU08* StrBuffer::toCodePageTerminated(const CodePage* page, ArrayU08* bytes, bool append) const {
  uint32_t number = pageNumber(page);
  if (number == CodePage::kUtf16LittleEndian) return encodeUtf16(false, bytes, append, true);
  if (number == CodePage::kUtf16BigEndian) return encodeUtf16(true, bytes, append, true);
  return encode(number, bytes, append, true);
}

uint32_t StrBuffer::fromCodePage(const CodePage* page, const void* bytes, bool append, int32_t count) {
  uint32_t number = pageNumber(page);
  if (number == CodePage::kUtf16LittleEndian) return decodeUtf16(false, bytes, append, count);
  if (number == CodePage::kUtf16BigEndian) return decodeUtf16(true, bytes, append, count);
  return decode(number, bytes, append, count);
}

// ---- OEM code page ----

StrBuffer::ArrayU08* StrBuffer::toOem(ArrayU08* bytes, bool append) const {
  return encode(GetOEMCP(), bytes, append, false);
}

StrBuffer::ArrayU08* StrBuffer::toOemTerminated(ArrayU08* bytes, bool append) const {
  return encode(GetOEMCP(), bytes, append, true);
}

uint32_t StrBuffer::fromOem(const void* bytes, bool append, int32_t count) {
  return decode(GetOEMCP(), bytes, append, count);
}

// ---- Digest ----

StrBuffer::ArrayU08* StrBuffer::digest(s::digest::IDigester* digester, ArrayU08* out) const {
  s::digest::md5::Md5* own = digester ? nullptr : s::digest::md5::Md5::acquire();
  s::digest::IDigester* used = digester ? digester : own;
  if (!used) return out;
  used->update(chars, static_cast<size_t>(unitCount) * sizeof(char16_t));
  ArrayU08* result = used->finish(out);
  if (own) own->release();
  return result;
}

}  // namespace s::str::strbuffer
