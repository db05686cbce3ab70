// Parsing of flags, width, precision and size prefix, in the order printf requires them.
#include "crt/format/FormatSpec.h"

#include <climits>

namespace platform::crt::format {

namespace {

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// Reads a decimal field; false when it exceeds INT_MAX.
bool readNumber(const char16_t*& cursor, int& value) {
  long long number = 0;
  while (isDigit(*cursor)) {
    number = number * 10 + (*cursor - u'0');
    if (number > INT_MAX) return false;
    ++cursor;
  }
  value = static_cast<int>(number);
  return true;
}

void readSize(const char16_t*& cursor, SizePrefix& size) {
  const char16_t* p = cursor;
  switch (*p) {
    case u'h':
      size = p[1] == u'h' ? SizePrefix::Char : SizePrefix::Short;
      cursor += p[1] == u'h' ? 2 : 1;
      return;
    case u'l':
      size = p[1] == u'l' ? SizePrefix::LongLong : SizePrefix::Long;
      cursor += p[1] == u'l' ? 2 : 1;
      return;
    case u'I':
      if (p[1] == u'6' && p[2] == u'4') {
        size = SizePrefix::LongLong;
        cursor += 3;
      } else if (p[1] == u'3' && p[2] == u'2') {
        size = SizePrefix::None;
        cursor += 3;
      } else {
        size = SizePrefix::LongLong;  // pointer-sized
        cursor += 1;
      }
      return;
    case u'z':
    case u'j':
    case u't':
      size = SizePrefix::LongLong;
      cursor += 1;
      return;
    case u'L':
      size = SizePrefix::LongDouble;
      cursor += 1;
      return;
    case u'w':
      size = SizePrefix::Wide;
      cursor += 1;
      return;
    default:
      return;
  }
}

}  // namespace

bool FormatSpec::parse(const char16_t*& cursor, ArgList& args, FormatSpec& spec) {
  spec = FormatSpec();
  for (;; ++cursor) {
    switch (*cursor) {
      case u'-':
        spec.leftAlign = true;
        continue;
      case u'+':
        spec.forceSign = true;
        continue;
      case u' ':
        spec.spaceSign = true;
        continue;
      case u'0':
        spec.zeroPad = true;
        continue;
      case u'#':
        spec.alternate = true;
        continue;
      default:
        break;
    }
    break;
  }
  if (*cursor == u'*') {
    ++cursor;
    int width = va_arg(args.list, int);
    if (width == INT_MIN) return false;
    if (width < 0) {
      spec.leftAlign = true;
      width = -width;
    }
    spec.width = width;
  } else if (!readNumber(cursor, spec.width)) {
    return false;
  }
  if (*cursor == u'.') {
    ++cursor;
    if (*cursor == u'*') {
      ++cursor;
      int precision = va_arg(args.list, int);
      spec.precision = precision < 0 ? -1 : precision;
    } else if (!readNumber(cursor, spec.precision)) {
      return false;
    }
  }
  readSize(cursor, spec.size);
  if (*cursor == 0) return false;
  spec.conversion = *cursor++;
  return true;
}

}  // namespace platform::crt::format
