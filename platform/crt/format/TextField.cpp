// In the wide functions the lower-case conversions take wide arguments and the capitals narrow ones;
// h asks for narrow and l or w for wide whatever the letter. A null string prints as "(null)".
#include "crt/format/TextField.h"

#include <cstddef>

namespace platform::crt::format {

namespace {

bool isWide(const FormatSpec& spec) {
  if (spec.size == SizePrefix::Short || spec.size == SizePrefix::Char) return false;
  if (spec.size == SizePrefix::Long || spec.size == SizePrefix::Wide) return true;
  return spec.conversion == u'c' || spec.conversion == u's';
}

// The length of a text, looking at no more than `limit` units when a precision is given.
template <typename Unit>
size_t boundedLength(const Unit* text, int precision) {
  size_t length = 0;
  if (precision < 0) {
    while (text[length] != 0) ++length;
  } else {
    while (length < static_cast<size_t>(precision) && text[length] != 0) ++length;
  }
  return length;
}

}  // namespace

void TextField::write(const FormatSpec& spec, ArgList& args, WideSink& sink) {
  bool wide = isWide(spec);
  bool character = spec.conversion == u'c' || spec.conversion == u'C';
  // Zero padding of text is the Microsoft run-time's behaviour for the 0 flag.
  char16_t fill = spec.zeroPad && !spec.leftAlign ? u'0' : u' ';
  char16_t unit;
  const char16_t* wideText = nullptr;
  const char* narrowText = nullptr;
  size_t length = 1;

  if (character) {
    int value = va_arg(args.list, int);
    unit = wide ? static_cast<char16_t>(value) : static_cast<unsigned char>(value);
    wideText = &unit;
  } else if (wide) {
    wideText = va_arg(args.list, const char16_t*);
    if (wideText == nullptr) wideText = u"(null)";
    length = boundedLength(wideText, spec.precision);
  } else {
    narrowText = va_arg(args.list, const char*);
    if (narrowText == nullptr) narrowText = "(null)";
    length = boundedLength(narrowText, spec.precision);
  }

  if (!spec.leftAlign) sink.padField(spec.width, length, fill);
  if (wideText != nullptr) {
    sink.put(wideText, length);
  } else {
    sink.putNarrow(narrowText, length);
  }
  if (spec.leftAlign) sink.padField(spec.width, length, u' ');
}

}  // namespace platform::crt::format
