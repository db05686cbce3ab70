// The library's growable UTF-16 string. Besides holding text it formats numbers and hexadecimal
// dumps, converts to and from UTF-8, the OEM code page, any Windows code page and UTF-16 in either
// byte order, searches and splits text, and is readable and writable as a byte stream over its units.
// Buffers come from their pool: acquire one, use it, release it. Case-insensitive operations fold the
// ASCII letters A-Z only; code units are opaque (surrogate pairs get no special treatment).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "base/col/IEnumerable.h"
#include "base/io/IInputStream.h"
#include "base/io/IOutputStream.h"
#include "base/str/IStr.h"
#include "base/str/strbuffer/Iterator.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::digest {
class IDigester;
}
namespace s::system::codepage {
class CodePage;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::str::strbuffer {

class StrBuffer final : public IStr,
                        public s::io::IInputStream,
                        public s::io::IOutputStream,
                        public s::col::IEnumerable {
  S_CLASS_NAME(u"s_str_strbuffer_StrBuffer")
  S_POOLED(StrBuffer)

 public:
  using ArrayU08 = s::col::_array::ArrayU08;
  using CodePage = s::system::codepage::CodePage;
  using StrArray = s::str::strarray::StrArray;
  using IStr::destroy;

  // A backward search's `before` that means "from the end".
  static constexpr uint32_t kFromEnd = 16777215;

  StrBuffer();
  ~StrBuffer() override;
  StrBuffer(const StrBuffer&) = delete;
  StrBuffer& operator=(const StrBuffer&) = delete;

  // Back to the freshly constructed state: no memory, no text, position 0.
  void reset() override { freeMemory(); }

  // ---- Creation ----
  static StrBuffer* acquireText(const char16_t* text);
  static StrBuffer* acquireAscii(const char* text);
  static StrBuffer* acquireJoined(const char16_t* a, const char16_t* b);
  static StrBuffer* acquireJoined(const char16_t* a, const char16_t* b, const char16_t* c);
  static StrBuffer* acquireJoined(const char16_t* a, const char16_t* b, const char16_t* c,
                                  const char16_t* d);

  // ---- Root operations ----
  // Ordered by the UTF-16LE bytes (unsigned, byte by byte), then the shorter text first.
  int32_t compareTo(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  // Ordered unit by unit with A-Z folded, then by length.
  int32_t compareToIgnoreCase(const IComparable* other,
                              s::base::IComparator* comparator = nullptr) const override;
  bool equals(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  bool equalsIgnoreCase(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  uint32_t hashCode() const override;
  uint32_t hashCodeIgnoreCase() const override;

  // ---- Text face ----
  uint32_t length() const override { return unitCount; }
  const char16_t* getChars() const override { return chars; }
  const char16_t* getText() override;
  // Writes the NUL after the text and returns its address; null when the text is empty.
  char16_t* terminate();

  // ---- Size and memory ----
  // Sets the count of units in use; it is kept within the capacity.
  void setLength(uint32_t n) { unitCount = n <= unitCapacity ? n : unitCapacity; }
  uint32_t capacity() const { return unitCapacity; }
  // Capacity at least n, allocating exactly n when it is smaller. False when memory runs out.
  bool reserveExact(uint32_t n);
  // One growth step.
  bool grow();
  // Growth steps until the capacity is at least n.
  bool reserve(uint32_t n);
  // Length and position to 0; the memory is kept.
  void clear() {
    unitCount = 0;
    position = 0;
  }
  // Length, position and capacity to 0, memory freed.
  void freeMemory();

  // ---- Units ----
  char16_t charAt(uint32_t i) const { return chars[i]; }
  char16_t charAtLower(uint32_t i) const { return foldLower(chars[i]); }
  char16_t charAtUpper(uint32_t i) const { return foldUpper(chars[i]); }
  char16_t* charPointer(uint32_t i) { return chars + i; }
  const char16_t* charPointer(uint32_t i) const { return chars + i; }
  void reverse();
  void toLowerCase();
  void toUpperCase();
  // Lower-cases everything, then upper-cases a leading small ASCII letter.
  void capitalize();

  // ---- Unit searches ----
  // Forward searches start at `from`; backward searches start just before `before` (kFromEnd or
  // anything not below the length means from the end). The index found goes to `*found`.
  bool indexOf(char16_t unit, uint32_t* found, uint32_t from = 0) const;
  bool indexOfIgnoreCase(char16_t unit, uint32_t* found, uint32_t from = 0) const;
  // `count` units in the set, -1 = up to the set's terminator.
  bool indexOfAny(const char16_t* units, int32_t count, uint32_t* found, uint32_t from = 0) const;
  bool indexOfAnyIgnoreCase(const char16_t* units, int32_t count, uint32_t* found, uint32_t from = 0) const;
  bool lastIndexOf(char16_t unit, uint32_t* found, uint32_t before = kFromEnd) const;
  bool lastIndexOfIgnoreCase(char16_t unit, uint32_t* found, uint32_t before = kFromEnd) const;
  bool lastIndexOfAny(const char16_t* units, int32_t count, uint32_t* found, uint32_t before = kFromEnd) const;
  bool lastIndexOfAnyIgnoreCase(const char16_t* units, int32_t count, uint32_t* found,
                                uint32_t before = kFromEnd) const;

  // ---- Text searches ----
  // An empty text is found at `from` by the case-sensitive forward search and never by the others.
  bool indexOf(const char16_t* text, uint32_t* found, uint32_t from = 0) const;
  bool indexOfIgnoreCase(const char16_t* text, uint32_t* found, uint32_t from = 0) const;
  bool lastIndexOf(const char16_t* text, uint32_t* found, uint32_t before = kFromEnd) const;
  bool lastIndexOfIgnoreCase(const char16_t* text, uint32_t* found, uint32_t before = kFromEnd) const;

  // ---- Region matches and comparisons ----
  // True when `count` units from `index` equal `count` units of `text` from `textIndex` and the
  // region lies inside this text. With count -1 the rest of `text` must match and end exactly at
  // the end of this text.
  bool regionMatches(uint32_t index, const char16_t* text, uint32_t textIndex, int32_t count) const;
  bool regionMatchesIgnoreCase(uint32_t index, const char16_t* text, uint32_t textIndex, int32_t count) const;
  // Count -1 = the whole of `text`; false when `text` is longer than this text.
  bool startsWith(const char16_t* text, int32_t count = -1) const;
  bool startsWithIgnoreCase(const char16_t* text, int32_t count = -1) const;
  bool endsWith(const char16_t* text, int32_t count = -1) const;
  bool endsWithIgnoreCase(const char16_t* text, int32_t count = -1) const;
  // -1, 0 or 1 comparing this text from `index` with `text` from `textIndex` over `count` units
  // (-1: to the terminators); -1 when `index` lies beyond the end.
  int32_t compareAt(uint32_t index, const char16_t* text, uint32_t textIndex = 0, int32_t count = -1);
  int32_t compareAtIgnoreCase(uint32_t index, const char16_t* text, uint32_t textIndex = 0,
                              int32_t count = -1);

  // ---- Trimming (white space: space, LF, U+3000, tab, CR) ----
  void trimRight() { trimRightKeeping(0); }
  // Never shortens the text below `minimum` units.
  void trimRightKeeping(uint32_t minimum);
  void trimRightChars(const char16_t* units, int32_t count = -1) { trimRightCharsKeeping(units, 0, count); }
  void trimRightCharsKeeping(const char16_t* units, uint32_t minimum, int32_t count = -1);
  void trimLeft();
  void trimLeftChars(const char16_t* units, int32_t count = -1);

  // ---- Appending ----
  void appendChar(char16_t unit) {
    if (unitCount >= unitCapacity && !grow()) return;
    chars[unitCount++] = unit;
  }
  // Count -1 = up to the terminator. The units may lie inside this buffer.
  void appendChars(const char16_t* units, int32_t count) {
    if (!units) return;
    uint32_t n = count < 0 ? static_cast<uint32_t>(std::char_traits<char16_t>::length(units))
                           : static_cast<uint32_t>(count);
    if (n == 0) return;
    if (n > unitCapacity - unitCount) {
      appendCharsGrowing(units, n);
      return;
    }
    std::memcpy(chars + unitCount, units, static_cast<size_t>(n) * sizeof(char16_t));
    unitCount += n;
  }
  void appendText(const char16_t* text) { appendChars(text, -1); }
  void appendStr(const IStr* other);
  void insertFront(const char16_t* units, int32_t count = -1);
  // Widens each byte to one unit with sign extension and no code page (callers pass ASCII).
  void appendNarrow(const char* bytes, int32_t count = -1);
  void appendAscii(const char* text) { appendNarrow(text, -1); }
  void appendS64(int64_t value);
  void appendU64(uint64_t value);
  void appendU32(uint32_t value);
  void appendU16(uint16_t value);
  void appendU08(uint8_t value);
  void appendS32(int32_t value);
  void appendS16(int16_t value);
  void appendS08(int8_t value);
  void appendFloat(float value);
  void appendDouble(double value);
  // Fixed-width lower-case hexadecimal without separators: 2, 4, 8 and 16 digits per value.
  void appendHexBytes(const uint8_t* values, uint32_t count);
  void appendHex16(const uint16_t* values, uint32_t count);
  void appendHex32(const uint32_t* values, uint32_t count);
  void appendHex64(const uint64_t* values, uint32_t count);

  // ---- Setting (replaces the content, allocating exactly) ----
  void setS64(int64_t value);
  void setU64(uint64_t value);
  void setU32(uint32_t value);
  void setU16(uint16_t value);
  void setU08(uint8_t value);
  void setS32(int32_t value);
  void setS16(int16_t value);
  void setS08(int8_t value);
  void setFloat(float value);
  void setDouble(double value);
  void setStr(const IStr* other);
  void setText(const char16_t* text) { setChars(text, -1); }
  void setChars(const char16_t* units, int32_t count);

  // ---- Replacing ----
  // Replaces every non-overlapping occurrence, left to right; returns how many were replaced.
  // An empty `from` replaces nothing.
  uint32_t replaceAll(const char16_t* from, const char16_t* to);
  uint32_t replaceAllIgnoreCase(const char16_t* from, const char16_t* to);

  // ---- Pieces (each returns a pooled buffer the caller releases) ----
  StrBuffer* clone() const;
  // Units start..end-1, `end` clamped to the length; empty when start is not below end.
  StrBuffer* substring(uint32_t start, uint32_t end) const;
  // Cuts this buffer to units start..end-1 with the same clamping.
  void keepRange(uint32_t start, uint32_t end);
  // The text before the first or last occurrence; an empty buffer when there is none.
  StrBuffer* beforeFirst(char16_t unit) const;
  StrBuffer* beforeLast(char16_t unit) const;
  StrBuffer* beforeFirstAny(const char16_t* units, int32_t count = -1) const;
  StrBuffer* beforeLastAny(const char16_t* units, int32_t count = -1) const;
  StrBuffer* beforeFirst(const char16_t* text) const;
  StrBuffer* beforeLast(const char16_t* text) const;

  // ---- Splitting ----
  // The non-empty pieces between occurrences of `unit`.
  StrArray* split(char16_t unit) const;
  // The distinct words (A-Z folded); with `filter` a final stop word ("the", "of", "and") is dropped.
  StrArray* splitWords(bool filter = false) const;

  // ---- Numbers and hexadecimal ----
  int32_t toInt();
  int64_t toInt64();
  float toFloat();
  // Non-empty and all hexadecimal digits.
  bool isHex() const;
  // 0-15 for a hexadecimal digit, 0 for anything else.
  uint8_t hexDigitAt(uint32_t i) const;
  // Reads unit pairs (high digit first) into length / 2 bytes, appended to or replacing `bytes`
  // (acquired when null).
  ArrayU08* hexToBytes(ArrayU08* bytes = nullptr, bool append = false) const;
  // Non-empty, all digits, except a leading "-" when the length is above 1.
  bool isInteger() const;

  // ---- Digest ----
  // Feeds the UTF-16LE bytes to `digester` (a pooled MD5 when null) and appends its digest to `out`
  // (acquired when null).
  ArrayU08* digest(s::digest::IDigester* digester = nullptr, ArrayU08* out = nullptr) const;

  // ---- Encodings ----
  // Encoders write into `bytes` (acquired when null; emptied first unless `append`) and end with one
  // 0 byte: the plain variant leaves it just after the array's length, the Terminated one counts it.
  // On a failed conversion only the 0 byte is added. Decoders return the units added (0 on failure);
  // a count of -1 reads up to a 0 byte (a 0 unit for UTF-16), otherwise `count` bytes.
  ArrayU08* toUtf8(ArrayU08* bytes = nullptr, bool append = false) const;
  ArrayU08* toUtf8Terminated(ArrayU08* bytes = nullptr, bool append = false) const;
  uint32_t fromUtf8(const void* bytes, bool append = false, int32_t count = -1);
  ArrayU08* toCodePage(const CodePage* page, ArrayU08* bytes = nullptr, bool append = false) const;
  ArrayU08* toCodePageTerminated(const CodePage* page, ArrayU08* bytes = nullptr, bool append = false) const;
  uint32_t fromCodePage(const CodePage* page, const void* bytes, bool append = false, int32_t count = -1);
  ArrayU08* toOem(ArrayU08* bytes = nullptr, bool append = false) const;
  ArrayU08* toOemTerminated(ArrayU08* bytes = nullptr, bool append = false) const;
  uint32_t fromOem(const void* bytes, bool append = false, int32_t count = -1);

  // ---- Iterators over the units ----
  Iterator* iteratorAtStart() override;
  Iterator* iteratorAtEnd() override;
  Iterator* iteratorAt(uint32_t i) override;
  Iterator* iteratorAtFromEnd(uint32_t i) override;
  void* elementAt(uint32_t i) override { return chars + i; }
  uint32_t elementCount() const override { return unitCount; }
  uint32_t elementBytes() const override { return sizeof(char16_t); }

  // ---- Stream faces over the UTF-16LE bytes, sharing one position ----
  // False once the position has reached twice the length.
  bool readBytes(void* buffer, uint32_t count, uint32_t* got) override;
  // Writes at the position, growing the buffer; the length then covers every byte written.
  bool writeBytes(const void* bytes, uint32_t count) override;
  uint32_t getPosition() const override { return position; }
  void setPosition(uint32_t bytes) override { position = bytes; }
  void rewind() override { position = 0; }
  void seekEnd() override { position = unitCount * 2; }
  void seekBeforeEnd(uint32_t bytes) override { position = bytes < unitCount * 2 ? unitCount * 2 - bytes : 0; }
  void skipForward(uint32_t bytes) override { position += bytes; }
  void skipBackward(uint32_t bytes) override { position = bytes < position ? position - bytes : 0; }
  bool ready() const override { return true; }

  // ASCII-only case folding shared by every case-insensitive operation.
  static constexpr char16_t foldLower(char16_t u) {
    return static_cast<char16_t>(u - u'A') < 26 ? static_cast<char16_t>(u + 32) : u;
  }
  static constexpr char16_t foldUpper(char16_t u) {
    return static_cast<char16_t>(u - u'a') < 26 ? static_cast<char16_t>(u - 32) : u;
  }
  static constexpr bool isWhiteSpace(char16_t u) {
    return u == u' ' || u == u'\n' || u == 0x3000 || u == u'\t' || u == u'\r';
  }

 private:
  // Reallocates to exactly `newCapacity` units (plus the terminator), keeping the text.
  bool reallocate(uint32_t newCapacity);
  // The append path that grows the buffer, safe when `units` lies inside it.
  void appendCharsGrowing(const char16_t* units, uint32_t n);
  bool ownsUnits(const char16_t* p) const { return chars && p >= chars && p <= chars + unitCapacity; }
  // Formats one value with a wide printf format right after the text.
  template <class T>
  void appendFormatted(const char16_t* format, T value);
  template <class T>
  void setFormatted(const char16_t* format, T value);
  template <bool ignoreCase>
  uint32_t replaceMatching(const char16_t* from, const char16_t* to);
  ArrayU08* encode(uint32_t codePage, ArrayU08* bytes, bool append, bool countTerminator) const;
  ArrayU08* encodeUtf16(bool bigEndian, ArrayU08* bytes, bool append, bool countTerminator) const;
  uint32_t decode(uint32_t codePage, const void* bytes, bool append, int32_t count);
  uint32_t decodeUtf16(bool bigEndian, const void* bytes, bool append, int32_t count);

  char16_t* chars = nullptr;
  uint32_t unitCount = 0;
  uint32_t unitCapacity = 0;
  uint32_t position = 0;
};

}  // namespace s::str::strbuffer
