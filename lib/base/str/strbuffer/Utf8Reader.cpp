#include "base/str/strbuffer/Utf8Reader.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace s::str::strbuffer {

namespace {

constexpr uint64_t kHighBits = 0x8080808080808080ull;

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Widens the ASCII bytes from `at` in blocks while whole blocks are ASCII; stops before the first
// block that holds another byte, which the caller then takes one by one.
void widenAscii(const uint8_t*& at, const uint8_t* end, char16_t*& target) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  while (end - at >= 16) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    if (_mm_movemask_epi8(block) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target), _mm_unpacklo_epi8(block, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + 8), _mm_unpackhi_epi8(block, zero));
    at += 16;
    target += 16;
  }
#endif
  while (end - at >= 8) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    if (word & kHighBits) break;
    for (int k = 0; k < 8; ++k) target[k] = at[k];
    at += 8;
    target += 8;
  }
}

}  // namespace

int64_t Utf8Reader::decodeWellFormed(const uint8_t* bytes, size_t count, char16_t* out) {
  const uint8_t* at = bytes;
  const uint8_t* const end = bytes + count;
  char16_t* target = out;
  while (at < end) {
    uint8_t lead = *at;
    if (lead < 0x80) {
      // Runs of ASCII go eight bytes at a time: markup and Latin text are mostly ASCII.
      *target++ = lead;
      ++at;
      widenAscii(at, end, target);
      continue;
    }
    size_t left = static_cast<size_t>(end - at);
    if (lead >= 0xC2 && lead <= 0xDF) {
      if (left < 2 || !isContinuation(at[1])) return -1;
      *target++ = static_cast<char16_t>(((lead & 0x1F) << 6) | (at[1] & 0x3F));
      at += 2;
      continue;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
      if (left < 3 || !isContinuation(at[1]) || !isContinuation(at[2])) return -1;
      // E0 needs A0 or more (no overlong forms), ED at most 9F (no surrogates).
      if ((lead == 0xE0 && at[1] < 0xA0) || (lead == 0xED && at[1] > 0x9F)) return -1;
      *target++ = static_cast<char16_t>(((lead & 0x0F) << 12) | ((at[1] & 0x3F) << 6) | (at[2] & 0x3F));
      at += 3;
      continue;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
      if (left < 4 || !isContinuation(at[1]) || !isContinuation(at[2]) || !isContinuation(at[3])) return -1;
      // F0 needs 90 or more (no overlong forms), F4 at most 8F (nothing past U+10FFFF).
      if ((lead == 0xF0 && at[1] < 0x90) || (lead == 0xF4 && at[1] > 0x8F)) return -1;
      uint32_t codePoint = (static_cast<uint32_t>(lead & 0x07) << 18) | ((at[1] & 0x3Fu) << 12) |
                           ((at[2] & 0x3Fu) << 6) | (at[3] & 0x3Fu);
      codePoint -= 0x10000;
      *target++ = static_cast<char16_t>(0xD800 | (codePoint >> 10));
      *target++ = static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF));
      at += 4;
      continue;
    }
    return -1;
  }
  return target - out;
}

}  // namespace s::str::strbuffer
