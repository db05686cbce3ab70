// Literal runs are copied in one piece; each '%' starts a specification that is parsed and dispatched.
#include "crt/format/WideFormatter.h"

#include "crt/format/FloatField.h"
#include "crt/format/FormatSpec.h"
#include "crt/format/IntegerField.h"
#include "crt/format/TextField.h"

namespace platform::crt::format {

bool WideFormatter::format(WideSink& sink, const char16_t* format, ArgList& args) {
  const char16_t* cursor = format;
  while (*cursor != 0) {
    if (*cursor != u'%') {
      const char16_t* start = cursor;
      while (*cursor != 0 && *cursor != u'%') ++cursor;
      sink.put(start, static_cast<size_t>(cursor - start));
      continue;
    }
    ++cursor;
    FormatSpec spec;
    if (!FormatSpec::parse(cursor, args, spec)) return false;
    switch (spec.conversion) {
      case u'%':
        sink.put(u'%');
        break;
      case u'd':
      case u'i':
      case u'u':
      case u'o':
      case u'x':
      case u'X':
      case u'p':
        IntegerField::write(spec, args, sink);
        break;
      case u'c':
      case u'C':
      case u's':
      case u'S':
        TextField::write(spec, args, sink);
        break;
      case u'f':
      case u'F':
      case u'e':
      case u'E':
      case u'g':
      case u'G':
      case u'a':
      case u'A':
        if (!FloatField::write(spec, args, sink)) return false;
        break;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace platform::crt::format
