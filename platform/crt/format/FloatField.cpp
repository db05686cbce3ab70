// The C library formats the number without a width; padding is added here so that a huge width never
// needs a huge temporary buffer. Zero padding goes after the sign (and the 0x of %a), and infinities
// and NaNs are padded with spaces, as printf does.
#include "crt/format/FloatField.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "crt/CLocale.h"

namespace platform::crt::format {

namespace {

// Builds the narrow specification, e.g. "%+#.3Le", from the parsed one, leaving out the width.
void narrowSpec(const FormatSpec& spec, char (&out)[32]) {
  char* cursor = out;
  *cursor++ = '%';
  if (spec.forceSign) *cursor++ = '+';
  if (spec.spaceSign) *cursor++ = ' ';
  if (spec.alternate) *cursor++ = '#';
  if (spec.precision >= 0) cursor += snprintf(cursor, 16, ".%d", spec.precision);  // at most 11 chars
  if (spec.size == SizePrefix::LongDouble) *cursor++ = 'L';
  *cursor++ = static_cast<char>(spec.conversion);
  *cursor = 0;
}

}  // namespace

bool FloatField::write(const FormatSpec& spec, ArgList& args, WideSink& sink) {
  char format[32];
  narrowSpec(spec, format);
  bool longDouble = spec.size == SizePrefix::LongDouble;
  long double value = longDouble ? va_arg(args.list, long double) : va_arg(args.list, double);

  char small[128];
  char* text = small;
  int length;
  {
    platform::crt::CLocale::Scope scope;
    length = longDouble ? snprintf(small, sizeof small, format, value)
                        : snprintf(small, sizeof small, format, static_cast<double>(value));
    if (length < 0) return false;
    if (static_cast<size_t>(length) >= sizeof small) {
      text = static_cast<char*>(malloc(static_cast<size_t>(length) + 1));
      if (text == nullptr) return false;
      if (longDouble) {
        snprintf(text, static_cast<size_t>(length) + 1, format, value);
      } else {
        snprintf(text, static_cast<size_t>(length) + 1, format, static_cast<double>(value));
      }
    }
  }

  size_t size = static_cast<size_t>(length);
  if (spec.leftAlign) {
    sink.putNarrow(text, size);
    sink.padField(spec.width, size, u' ');
  } else if (spec.zeroPad && std::isfinite(value)) {
    size_t prefix = 0;
    if (text[0] == '-' || text[0] == '+' || text[0] == ' ') ++prefix;
    bool hex = spec.conversion == u'a' || spec.conversion == u'A';
    if (hex && size >= prefix + 2 && text[prefix] == '0' &&
        (text[prefix + 1] == 'x' || text[prefix + 1] == 'X'))
      prefix += 2;
    sink.putNarrow(text, prefix);
    sink.padField(spec.width, size, u'0');
    sink.putNarrow(text + prefix, size - prefix);
  } else {
    sink.padField(spec.width, size, u' ');
    sink.putNarrow(text, size);
  }
  if (text != small) free(text);
  return true;
}

}  // namespace platform::crt::format
