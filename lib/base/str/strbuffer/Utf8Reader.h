// A quick UTF-8 to UTF-16 decoder for the common case of well-formed input, as language packs and
// settings files are. It answers "not well-formed" at the first doubtful byte, and the caller then
// hands the whole input to the platform's converter, which alone decides how errors are replaced;
// so both paths give the same units for every input.
#pragma once

#include <cstddef>
#include <cstdint>

namespace s::str::strbuffer {

class Utf8Reader {
 public:
  // Decodes `count` bytes into `out`, which has room for `count` units (UTF-8 never yields more
  // units than bytes). Answers the number of units written, or -1 when the bytes are not strictly
  // well-formed UTF-8 (overlong forms, encoded surrogates, values past U+10FFFF, stray or missing
  // continuation bytes), in which case `out` holds nothing useful.
  static int64_t decodeWellFormed(const uint8_t* bytes, size_t count, char16_t* out);
};

}  // namespace s::str::strbuffer
