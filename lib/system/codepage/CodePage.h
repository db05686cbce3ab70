// Names a character encoding by its Windows code-page number, for the string buffer's conversions.
// Two distinguished instances stand for UTF-16 in little-endian and big-endian byte order; any other
// number is a code page the platform converts (65001 is UTF-8).
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::system::codepage {

class CodePage : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_system_codepage_CodePage")
  S_POOLED(CodePage)

 public:
  using IObject::destroy;

  static constexpr uint32_t kAnsi = 0;
  static constexpr uint32_t kUtf16LittleEndian = 1200;
  static constexpr uint32_t kUtf16BigEndian = 1201;
  static constexpr uint32_t kUtf8 = 65001;

  CodePage();
  // The number goes back to 0, the process's ANSI code page.
  void reset() override;

  // A pooled code page with the given number.
  static CodePage* acquireNumber(uint32_t number);
  // The process-wide distinguished instances; they are never released.
  static const CodePage* utf16LittleEndian();
  static const CodePage* utf16BigEndian();

  uint32_t getNumber() const { return number; }
  void setNumber(uint32_t value) { number = value; }
  bool isUtf16LittleEndian() const { return number == kUtf16LittleEndian; }
  bool isUtf16BigEndian() const { return number == kUtf16BigEndian; }

  // Code pages order and hash by their numbers.
  int32_t compareTo(const IComparable* other, s::base::IComparator* comparator = nullptr) const override;
  uint32_t hashCode() const override { return number; }

 private:
  explicit CodePage(uint32_t number);

  uint32_t number = kAnsi;
};

}  // namespace s::system::codepage
