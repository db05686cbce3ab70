// Conversions between the native UTF-16 names and the UTF-8 text the hive stores, and the case folding
// that makes registry names match regardless of case.
#pragma once

#include <cstddef>
#include <string>

namespace ntdll {

class Utf16 {
 public:
  // Appends the UTF-8 form of units; false (and out unspecified) when they hold an unpaired surrogate.
  static bool toUtf8(const char16_t* units, size_t count, std::string& out);
  // The UTF-16 form of UTF-8 text that toUtf8 produced.
  static std::u16string fromUtf8(const char* text, size_t bytes);
  // The upper-case form of one unit for the letters of the Latin, Greek and Cyrillic blocks; other
  // units are their own fold. Names compare equal when their folded forms do.
  static char16_t upcase(char16_t unit);
  // toUtf8 of the folded units.
  static bool toFoldedUtf8(const char16_t* units, size_t count, std::string& out);
};

}  // namespace ntdll
