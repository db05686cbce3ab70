// Digits are produced from the magnitude as an unsigned 64-bit value, so the most negative values of
// every size print correctly without overflowing a signed negation.
#include "crt/format/IntegerField.h"

#include <cstdint>

namespace platform::crt::format {

namespace {

int64_t readSigned(SizePrefix size, ArgList& args) {
  switch (size) {
    case SizePrefix::Char:
      return static_cast<signed char>(va_arg(args.list, int));
    case SizePrefix::Short:
      return static_cast<short>(va_arg(args.list, int));
    case SizePrefix::LongLong:
      return va_arg(args.list, long long);
    default:
      return va_arg(args.list, int);
  }
}

uint64_t readUnsigned(SizePrefix size, ArgList& args) {
  switch (size) {
    case SizePrefix::Char:
      return static_cast<unsigned char>(va_arg(args.list, unsigned int));
    case SizePrefix::Short:
      return static_cast<unsigned short>(va_arg(args.list, unsigned int));
    case SizePrefix::LongLong:
      return va_arg(args.list, unsigned long long);
    default:
      return va_arg(args.list, unsigned int);
  }
}

// Writes `value` in `base` right-aligned into `end`'s buffer and returns the first digit's position.
char* toDigits(uint64_t value, unsigned base, bool upper, char* end) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  char* cursor = end;
  while (value != 0) {
    *--cursor = digits[value % base];
    value /= base;
  }
  return cursor;
}

}  // namespace

void IntegerField::write(const FormatSpec& spec, ArgList& args, WideSink& sink) {
  char16_t conversion = spec.conversion;
  char prefix[2] = {0, 0};
  size_t prefixLength = 0;
  uint64_t magnitude;
  unsigned base = 10;
  bool upper = false;
  int precision = spec.precision;
  bool alternate = spec.alternate;

  if (conversion == u'p') {
    // Pointers print as all their hexadecimal digits in capitals, as the Microsoft run-time does.
    magnitude = reinterpret_cast<uintptr_t>(va_arg(args.list, void*));
    base = 16;
    upper = true;
    precision = static_cast<int>(sizeof(void*) * 2);
    alternate = false;
  } else if (conversion == u'd' || conversion == u'i') {
    int64_t value = readSigned(spec.size, args);
    magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    if (value < 0) {
      prefix[prefixLength++] = '-';
    } else if (spec.forceSign) {
      prefix[prefixLength++] = '+';
    } else if (spec.spaceSign) {
      prefix[prefixLength++] = ' ';
    }
  } else {
    magnitude = readUnsigned(spec.size, args);
    base = conversion == u'o' ? 8 : conversion == u'u' ? 10 : 16;
    upper = conversion == u'X';
  }

  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* first = toDigits(magnitude, base, upper, end);
  size_t digitCount = static_cast<size_t>(end - first);
  if (alternate && base == 16 && magnitude != 0) {
    prefix[prefixLength++] = '0';
    prefix[prefixLength++] = upper ? 'X' : 'x';
  }
  // The minimum number of digits: 1 by default, so that zero prints as "0"; precision 0 prints nothing.
  size_t minimum = precision < 0 ? 1 : static_cast<size_t>(precision);
  size_t zeros = digitCount < minimum ? minimum - digitCount : 0;
  // The alternate octal form guarantees a leading 0 digit.
  if (alternate && base == 8 && zeros == 0 && (digitCount == 0 || *first != '0')) zeros = 1;

  size_t used = prefixLength + zeros + digitCount;
  bool zeroFill = spec.zeroPad && !spec.leftAlign && spec.precision < 0 && conversion != u'p';
  if (!spec.leftAlign && !zeroFill) sink.padField(spec.width, used, u' ');
  sink.putNarrow(prefix, prefixLength);
  if (zeroFill) sink.padField(spec.width, used, u'0');
  sink.repeat(u'0', zeros);
  sink.putNarrow(first, digitCount);
  if (spec.leftAlign) sink.padField(spec.width, used, u' ');
}

}  // namespace platform::crt::format
