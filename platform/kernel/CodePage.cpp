// The Win32 code-page entry points: argument and flag checks, the choice of codec for the code page,
// and the translation of the codec's outcome into a count or a last-error code.
#include <win/codepage.h>
#include <win/error.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "kernel/codepage/BoundedOutput.h"
#include "kernel/codepage/CodePageTable.h"
#include "kernel/codepage/IconvCache.h"
#include "kernel/codepage/IconvCodec.h"
#include "kernel/codepage/Utf8Codec.h"

using platform::kernel::codepage::BoundedOutput;
using platform::kernel::codepage::CodePageTable;
using platform::kernel::codepage::ConversionStatus;
using platform::kernel::codepage::IconvCache;
using platform::kernel::codepage::IconvCodec;
using platform::kernel::codepage::Utf8Codec;

namespace {

constexpr UINT kAnsiCodePage = 1252;
constexpr UINT kOemCodePage = 437;
constexpr UINT kMacCodePage = 10000;
constexpr UINT kGb18030 = 54936;
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1));

constexpr DWORD kWideFlags =
    WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS;
constexpr DWORD kMultiByteFlags = MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;

int fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// The symbolic code pages stand for the process's fixed pages.
UINT resolve(UINT codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP:
      return kAnsiCodePage;
    case CP_OEMCP:
      return kOemCodePage;
    case CP_MACCP:
      return kMacCodePage;
    default:
      return codePage;
  }
}

size_t wideLength(const WCHAR* text) {
  size_t length = 0;
  while (text[length] != 0) ++length;
  return length;
}

// Turns a finished conversion into the function's result: the count, or 0 with the reason.
template <typename Unit>
int finish(ConversionStatus status, const BoundedOutput<Unit>& out) {
  if (status == ConversionStatus::Rejected) return fail(ERROR_NO_UNICODE_TRANSLATION);
  if (status == ConversionStatus::Unavailable) return fail(ERROR_INVALID_PARAMETER);
  if (out.overflowed()) return fail(ERROR_INSUFFICIENT_BUFFER);
  if (out.count() > static_cast<size_t>(INT_MAX)) return fail(ERROR_ARITHMETIC_OVERFLOW);
  return static_cast<int>(out.count());
}

}  // namespace

UINT WINAPI GetACP() { return kAnsiCodePage; }

UINT WINAPI GetOEMCP() { return kOemCodePage; }

BOOL WINAPI IsValidCodePage(UINT codePage) {
  if (codePage == CP_UTF8) return TRUE;
  const CodePageTable::Entry* page = CodePageTable::find(codePage);
  return page != nullptr && IconvCache::decoder(*page) != kNoDescriptor ? TRUE : FALSE;
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR bytes,
                               int byteCount, LPCSTR defaultChar, LPBOOL usedDefault) {
  if (wide == nullptr || wideCount == 0 || wideCount < -1 || byteCount < 0 ||
      (bytes == nullptr && byteCount != 0) ||
      static_cast<const void*>(bytes) == static_cast<const void*>(wide))
    return fail(ERROR_INVALID_PARAMETER);
  UINT page = resolve(codePage);
  const CodePageTable::Entry* entry = page == CP_UTF8 ? nullptr : CodePageTable::find(page);
  if (page != CP_UTF8 && entry == nullptr) return fail(ERROR_INVALID_PARAMETER);
  if (page == CP_UTF8 || page == CP_UTF7) {
    if (defaultChar != nullptr || usedDefault != nullptr) return fail(ERROR_INVALID_PARAMETER);
    DWORD allowed = page == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
    if ((flags & ~allowed) != 0) return fail(ERROR_INVALID_FLAGS);
  } else {
    DWORD allowed = kWideFlags | (page == kGb18030 ? WC_ERR_INVALID_CHARS : 0);
    if ((flags & ~allowed) != 0) return fail(ERROR_INVALID_FLAGS);
  }

  size_t count = wideCount == -1 ? wideLength(wide) + 1 : static_cast<size_t>(wideCount);
  bool rejectInvalid = (flags & WC_ERR_INVALID_CHARS) != 0;
  // A size of 0 asks for the size needed; the buffer pointer is then ignored.
  BoundedOutput<char> out(byteCount == 0 ? nullptr : bytes, static_cast<size_t>(byteCount));
  bool replaced = false;
  ConversionStatus status;
  if (entry == nullptr) {
    status = Utf8Codec::encode(wide, count, out, rejectInvalid);
  } else {
    // A single-byte page takes the first byte of the caller's default; a multi-byte page up to two.
    const char* replacement = defaultChar != nullptr ? defaultChar : "?";
    size_t replacementLength = entry->singleByte ? 1 : strnlen(replacement, 2);
    if (replacementLength == 0) replacementLength = 1;
    status =
        IconvCodec::encode(*entry, wide, count, replacement, replacementLength, rejectInvalid, out, replaced);
  }
  int result = finish(status, out);
  if (result > 0 && usedDefault != nullptr) *usedDefault = replaced ? TRUE : FALSE;
  return result;
}

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                               int wideCount) {
  if (bytes == nullptr || byteCount == 0 || byteCount < -1 || wideCount < 0 ||
      (wide == nullptr && wideCount != 0) ||
      static_cast<const void*>(bytes) == static_cast<const void*>(wide))
    return fail(ERROR_INVALID_PARAMETER);
  UINT page = resolve(codePage);
  const CodePageTable::Entry* entry = page == CP_UTF8 ? nullptr : CodePageTable::find(page);
  if (page != CP_UTF8 && entry == nullptr) return fail(ERROR_INVALID_PARAMETER);
  if (page == CP_UTF8 || page == CP_UTF7) {
    DWORD allowed = page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    if ((flags & ~allowed) != 0) return fail(ERROR_INVALID_FLAGS);
  } else if ((flags & ~kMultiByteFlags) != 0 ||
             (flags & (MB_PRECOMPOSED | MB_COMPOSITE)) == (MB_PRECOMPOSED | MB_COMPOSITE)) {
    return fail(ERROR_INVALID_FLAGS);
  }

  size_t count = byteCount == -1 ? strlen(bytes) + 1 : static_cast<size_t>(byteCount);
  const unsigned char* input = reinterpret_cast<const unsigned char*>(bytes);
  bool rejectInvalid = (flags & MB_ERR_INVALID_CHARS) != 0;
  BoundedOutput<char16_t> out(wideCount == 0 ? nullptr : wide, static_cast<size_t>(wideCount));
  ConversionStatus status = entry == nullptr ? Utf8Codec::decode(input, count, out, rejectInvalid)
                                             : IconvCodec::decode(*entry, input, count, rejectInvalid, out);
  return finish(status, out);
}
