// Number parsing of wide text as the Microsoft run-time does it. Integers are accumulated as unsigned
// magnitudes checked against the limit before each step, so out-of-range text saturates without ever
// overflowing a signed value.
#include <win/crt.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "crt/CLocale.h"

namespace {

bool isSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

const WCHAR* skipSpace(const WCHAR* text) {
  while (isSpace(*text)) ++text;
  return text;
}

int64_t parseInteger(const WCHAR* text, int64_t minimum, int64_t maximum) {
  if (text == nullptr) return 0;
  text = skipSpace(text);
  bool negative = *text == u'-';
  if (*text == u'-' || *text == u'+') ++text;
  uint64_t limit = negative ? static_cast<uint64_t>(maximum) + 1 : static_cast<uint64_t>(maximum);
  uint64_t magnitude = 0;
  bool overflow = false;
  for (; isDigit(*text); ++text) {
    unsigned digit = static_cast<unsigned>(*text - u'0');
    if (overflow) continue;
    if (magnitude > (limit - digit) / 10) {
      overflow = true;
    } else {
      magnitude = magnitude * 10 + digit;
    }
  }
  if (overflow) {
    errno = ERANGE;
    return negative ? minimum : maximum;
  }
  if (!negative) return static_cast<int64_t>(magnitude);
  return magnitude == limit ? minimum : -static_cast<int64_t>(magnitude);
}

// Units that can belong to a floating-point literal, including "infinity" and "nan(chars)".
bool isNumberUnit(char16_t unit) {
  return isDigit(unit) || (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') || unit == u'+' ||
         unit == u'-' || unit == u'.' || unit == u'(' || unit == u')' || unit == u'_';
}

}  // namespace

int _wtoi(const WCHAR* text) { return static_cast<int>(parseInteger(text, INT32_MIN, INT32_MAX)); }

int64_t _wtoi64(const WCHAR* text) { return parseInteger(text, INT64_MIN, INT64_MAX); }

double _wtof(const WCHAR* text) {
  if (text == nullptr) return 0.0;
  text = skipSpace(text);
  size_t length = 0;
  while (isNumberUnit(text[length])) ++length;
  if (length == 0) return 0.0;

  // The candidate is plain ASCII, so it narrows unit by unit for the C parser.
  char small[128];
  char* narrow = length < sizeof small ? small : static_cast<char*>(malloc(length + 1));
  if (narrow == nullptr) return 0.0;
  for (size_t i = 0; i < length; ++i) narrow[i] = static_cast<char>(text[i]);
  narrow[length] = 0;
  double value;
  {
    platform::crt::CLocale::Scope scope;
    value = strtod(narrow, nullptr);
  }
  if (narrow != small) free(narrow);
  return value;
}
