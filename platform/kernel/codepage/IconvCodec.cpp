// iconv stops at the first character it cannot convert; these loops put the replacement there, step
// over that one character and carry on, so one bad character never loses the rest of the text.
#include "kernel/codepage/IconvCodec.h"

#include <cerrno>
#include <cstdint>

#include "kernel/codepage/IconvCache.h"

namespace platform::kernel::codepage {

namespace {

const iconv_t kNone = reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));
const size_t kFailed = static_cast<size_t>(-1);

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Returns a stateful encoder to its initial shift state, writing the sequence that does it.
void resetShiftState(iconv_t descriptor, BoundedOutput<char>& out) {
  char chunk[64];
  char* cursor = chunk;
  size_t left = sizeof chunk;
  iconv(descriptor, nullptr, nullptr, &cursor, &left);
  out.put(chunk, static_cast<size_t>(cursor - chunk));
}

}  // namespace

ConversionStatus IconvCodec::encode(const CodePageTable::Entry& page, const char16_t* units, size_t count,
                                    const char* replacement, size_t replacementLength, bool rejectInvalid,
                                    BoundedOutput<char>& out, bool& usedDefault) {
  iconv_t descriptor = IconvCache::encoder(page);
  if (descriptor == kNone) return ConversionStatus::Unavailable;
  size_t done = 0;  // units consumed
  while (done < count && !out.overflowed()) {
    char* in = reinterpret_cast<char*>(const_cast<char16_t*>(units + done));
    size_t inLeft = (count - done) * sizeof(char16_t);
    char chunk[256];
    char* cursor = chunk;
    size_t outLeft = sizeof chunk;
    size_t result = iconv(descriptor, &in, &inLeft, &cursor, &outLeft);
    int error = errno;
    out.put(chunk, static_cast<size_t>(cursor - chunk));
    done = count - inLeft / sizeof(char16_t);
    if (result != kFailed || error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) return ConversionStatus::Unavailable;
    // The character at `done` is not in the page, or is a surrogate without its partner.
    bool pair = done + 1 < count && isHighSurrogate(units[done]) && isLowSurrogate(units[done + 1]);
    bool lone = !pair && (isHighSurrogate(units[done]) || isLowSurrogate(units[done]));
    if (lone && rejectInvalid) return ConversionStatus::Rejected;
    if (page.stateful) resetShiftState(descriptor, out);
    out.put(replacement, replacementLength);
    usedDefault = true;
    done += pair ? 2 : 1;
  }
  if (page.stateful && !out.overflowed()) resetShiftState(descriptor, out);
  return ConversionStatus::Done;
}

ConversionStatus IconvCodec::decode(const CodePageTable::Entry& page, const unsigned char* bytes,
                                    size_t count, bool rejectInvalid, BoundedOutput<char16_t>& out) {
  iconv_t descriptor = IconvCache::decoder(page);
  if (descriptor == kNone) return ConversionStatus::Unavailable;
  size_t done = 0;  // bytes consumed
  while (done < count && !out.overflowed()) {
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes + done));
    size_t inLeft = count - done;
    char16_t chunk[128];
    char* cursor = reinterpret_cast<char*>(chunk);
    size_t outLeft = sizeof chunk;
    size_t result = iconv(descriptor, &in, &inLeft, &cursor, &outLeft);
    int error = errno;
    out.put(chunk, static_cast<size_t>(cursor - reinterpret_cast<char*>(chunk)) / sizeof(char16_t));
    done = count - inLeft;
    if (result != kFailed || error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) return ConversionStatus::Unavailable;
    // The byte at `done` starts no character of the page, or its sequence is cut off by the end.
    if (rejectInvalid) return ConversionStatus::Rejected;
    out.put(static_cast<char16_t>(0xFFFD));
    ++done;
  }
  return ConversionStatus::Done;
}

}  // namespace platform::kernel::codepage
