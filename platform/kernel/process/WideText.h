// Conversions between the UTF-8 text of Linux (paths, environment, argument vectors) and the UTF-16
// text of the platform's API. Invalid UTF-8 becomes U+FFFD, so a strange file name never stops a
// listing.
#pragma once

#include <win/types.h>

#include <string>

namespace platform::kernel::process {

class WideText {
 public:
  static std::u16string fromUtf8(const std::string& text);
  // The UTF-8 form of a terminated UTF-16 text (empty for null).
  static std::string toUtf8(LPCWSTR text);
  // Copies text into a fixed field of `capacity` units, cut to fit and always terminated.
  static void copyTo(const std::u16string& text, WCHAR* field, size_t capacity);
};

}  // namespace platform::kernel::process
