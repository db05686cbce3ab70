// Conversions between UTF-16 text and the bytes of a code page, with the documented Win32 contract:
// a count of -1 takes the text up to and including its terminator, an output size of 0 asks for the
// size needed, and a failure returns 0 with the reason in GetLastError (ERROR_INVALID_PARAMETER,
// ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER, ERROR_NO_UNICODE_TRANSLATION).
// UTF-8 is converted by hand; the Windows code pages (1250-1258, 874, 932, 936, 949, 950, the DOS
// pages 437, 850, 866 ..., the ISO 8859 pages 28591.., 20127, 10000 ...) go through iconv.
#pragma once

#include <win/types.h>

#define CP_ACP 0u         // the ANSI code page, GetACP()
#define CP_OEMCP 1u       // the OEM code page, GetOEMCP()
#define CP_MACCP 2u       // the Macintosh code page (10000)
#define CP_THREAD_ACP 3u  // the calling thread's ANSI code page, GetACP() here
#define CP_UTF7 65000u
#define CP_UTF8 65001u

// Flags of MultiByteToWideChar. Composition and glyph characters are accepted and have no effect.
#define MB_PRECOMPOSED 0x00000001u
#define MB_COMPOSITE 0x00000002u
#define MB_USEGLYPHCHARS 0x00000004u
#define MB_ERR_INVALID_CHARS 0x00000008u  // fail on invalid input instead of giving U+FFFD

// Flags of WideCharToMultiByte. Only WC_ERR_INVALID_CHARS changes the result (UTF-8 and 54936 only).
#define WC_DISCARDNS 0x00000010u
#define WC_SEPCHARS 0x00000020u
#define WC_DEFAULTCHAR 0x00000040u
#define WC_ERR_INVALID_CHARS 0x00000080u  // fail on a lone surrogate instead of encoding U+FFFD
#define WC_COMPOSITECHECK 0x00000200u
#define WC_NO_BEST_FIT_CHARS 0x00000400u

// Converts `wideCount` units of `wide` (-1: up to and including the terminator) to bytes of `codePage`.
// Returns the bytes written, or with byteCount 0 the bytes needed; 0 on failure. Characters the page
// cannot represent become `defaultChar` (null: the page's own, "?"), and *usedDefault tells whether
// that happened. For UTF-8 and UTF-7, defaultChar and usedDefault must be null.
int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR bytes,
                               int byteCount, LPCSTR defaultChar, LPBOOL usedDefault);

// Converts `byteCount` bytes (-1: up to and including a 0 byte) of `codePage` to UTF-16. Returns the
// units written, or with wideCount 0 the units needed; 0 on failure. Invalid input becomes U+FFFD.
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                               int wideCount);

// The ANSI code page of the process: 1252 (Western European, the US English default).
UINT WINAPI GetACP();
// The OEM code page of the process: 437 (the US English default).
UINT WINAPI GetOEMCP();
// TRUE when the conversions above accept the code page number.
BOOL WINAPI IsValidCodePage(UINT codePage);
