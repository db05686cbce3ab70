// UTF-8 conversions. The decoder follows the Unicode recommendation for replacement: a sequence stops
// being valid at the first byte outside its allowed range, and everything before that byte is one error.
#include "kernel/codepage/Utf8Codec.h"

#include <cstdint>

namespace platform::kernel::codepage {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void putCodePoint(uint32_t codePoint, BoundedOutput<char>& out) {
  char bytes[4];
  size_t length;
  if (codePoint < 0x80) {
    bytes[0] = static_cast<char>(codePoint);
    length = 1;
  } else if (codePoint < 0x800) {
    bytes[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    bytes[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 2;
  } else if (codePoint < 0x10000) {
    bytes[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    bytes[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 3;
  } else {
    bytes[0] = static_cast<char>(0xF0 | (codePoint >> 18));
    bytes[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    bytes[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    length = 4;
  }
  out.put(bytes, length);
}

void putCodePoint(uint32_t codePoint, BoundedOutput<char16_t>& out) {
  if (codePoint < 0x10000) {
    out.put(static_cast<char16_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  char16_t pair[2] = {static_cast<char16_t>(0xD800 | (codePoint >> 10)),
                      static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF))};
  out.put(pair, 2);
}

// The shape of a sequence by its lead byte: how many continuation bytes follow and the range allowed
// for the first of them (which excludes overlong forms, encoded surrogates and values past U+10FFFF).
struct LeadByte {
  int continuations;  // -1: the byte cannot start a sequence
  unsigned char firstLow;
  unsigned char firstHigh;
};

LeadByte classify(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
  if (lead == 0xE0) return {2, 0xA0, 0xBF};
  if (lead == 0xED) return {2, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
  if (lead == 0xF0) return {3, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
  if (lead == 0xF4) return {3, 0x80, 0x8F};
  return {-1, 0, 0};
}

}  // namespace

ConversionStatus Utf8Codec::encode(const char16_t* units, size_t count, BoundedOutput<char>& out,
                                   bool rejectInvalid) {
  for (size_t i = 0; i < count && !out.overflowed(); ++i) {
    char16_t unit = units[i];
    uint32_t codePoint = unit;
    if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(units[i + 1])) {
      codePoint = 0x10000 + ((static_cast<uint32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      if (rejectInvalid) return ConversionStatus::Rejected;
      codePoint = kReplacement;
    }
    putCodePoint(codePoint, out);
  }
  return ConversionStatus::Done;
}

ConversionStatus Utf8Codec::decode(const unsigned char* bytes, size_t count, BoundedOutput<char16_t>& out,
                                   bool rejectInvalid) {
  size_t i = 0;
  while (i < count && !out.overflowed()) {
    unsigned char lead = bytes[i];
    if (lead < 0x80) {
      out.put(lead);
      ++i;
      continue;
    }
    LeadByte shape = classify(lead);
    bool valid = shape.continuations > 0;
    uint32_t codePoint = valid ? lead & (0x3Fu >> shape.continuations) : 0;
    size_t taken = 1;  // bytes of the sequence accepted so far
    for (int k = 1; valid && k <= shape.continuations; ++k) {
      if (i + k >= count) {
        valid = false;  // truncated at the end of the input
        break;
      }
      unsigned char next = bytes[i + k];
      unsigned char low = k == 1 ? shape.firstLow : 0x80;
      unsigned char high = k == 1 ? shape.firstHigh : 0xBF;
      if (next < low || next > high) {
        valid = false;
        break;
      }
      codePoint = (codePoint << 6) | (next & 0x3F);
      ++taken;
    }
    if (!valid) {
      if (rejectInvalid) return ConversionStatus::Rejected;
      out.put(kReplacement);
    } else {
      putCodePoint(codePoint, out);
    }
    i += taken;
  }
  return ConversionStatus::Done;
}

}  // namespace platform::kernel::codepage
