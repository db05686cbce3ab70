// The wide-character functions of the Microsoft C run-time library that the library uses, on char16_t
// text: bounded formatting, number parsing, lengths and comparisons.
#pragma once

#include <win/types.h>

#include <cstdarg>

// Formats into `buffer` (capacity `count` units) as the Microsoft wide printf family does:
// flags - + 0 space #, width and precision (either may be *), size prefixes hh h l ll I64 I32 I z j t L w,
// conversions d i u o x X c C s S f F e E g G a A p %%. In these wide functions %s and %c take wide
// text and characters and %S and %C narrow ones (each byte widened as it is); h forces narrow, l or w
// wide. As on Windows, l is 32 bits; ll, I64 and I take 64 bits, and %p prints 16 capital hex digits.
// Floating-point conversions give exactly what the C printf gives.
// Returns the units written without the terminator, or -1 when the text does not fit (room for the
// terminator included), the arguments are invalid or the format is malformed. The buffer is always
// terminated when count > 0, with as much of the text as fits.
int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list arguments);
// The units the formatted text needs, without the terminator; -1 for a malformed format.
int _scwprintf(const WCHAR* format, ...);
int _vscwprintf(const WCHAR* format, va_list arguments);

// Skip leading white space, read an optional sign and decimal digits, stop at the first other unit.
// Text that is not a number gives 0; values out of range give the type's limit (and errno ERANGE).
int _wtoi(const WCHAR* text);
int64_t _wtoi64(const WCHAR* text);
// Reads a floating-point number as strtod does in the C locale; 0 for text that is not a number.
double _wtof(const WCHAR* text);

// The units before the terminator; 0 for a null text.
int WINAPI lstrlenW(LPCWSTR text);

// Compare unit by unit with the capitals A-Z folded to a-z (nothing else is folded), and answer
// -1, 0 or 1. The n variants look at no more than `count` units. A null text compares as empty.
int _wcsicmp(const WCHAR* left, const WCHAR* right);
int _wcsnicmp(const WCHAR* left, const WCHAR* right, size_t count);
// Ordinal comparisons by unsigned code unit, answering -1, 0 or 1; a null text compares as empty.
int wcscmp16(const WCHAR* left, const WCHAR* right);
int wcsncmp16(const WCHAR* left, const WCHAR* right, size_t count);
