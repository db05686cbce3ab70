// The bounded wide printf functions. The text fits only when it leaves room for the terminator; when it
// does not, the buffer holds as much as fits, terminated, and the result is -1.
#include <win/crt.h>

#include <climits>

#include "crt/format/ArgList.h"
#include "crt/format/WideFormatter.h"
#include "crt/format/WideSink.h"

using platform::crt::format::ArgList;
using platform::crt::format::WideFormatter;
using platform::crt::format::WideSink;

int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list arguments) {
  if (format == nullptr || (buffer == nullptr && count > 0)) return -1;
  WideSink sink(buffer, count > 0 ? count - 1 : 0);
  ArgList args;
  va_copy(args.list, arguments);
  bool formatted = WideFormatter::format(sink, format, args);
  va_end(args.list);
  if (count > 0) sink.terminate();
  if (!formatted || sink.count() >= count || sink.count() > static_cast<size_t>(INT_MAX)) return -1;
  return static_cast<int>(sink.count());
}

int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int result = _vsnwprintf(buffer, count, format, arguments);
  va_end(arguments);
  return result;
}

int _vscwprintf(const WCHAR* format, va_list arguments) {
  if (format == nullptr) return -1;
  WideSink sink(nullptr, 0);
  ArgList args;
  va_copy(args.list, arguments);
  bool formatted = WideFormatter::format(sink, format, args);
  va_end(args.list);
  if (!formatted || sink.count() > static_cast<size_t>(INT_MAX)) return -1;
  return static_cast<int>(sink.count());
}

int _scwprintf(const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int result = _vscwprintf(format, arguments);
  va_end(arguments);
  return result;
}
