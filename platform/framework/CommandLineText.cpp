#include "framework/CommandLineText.h"

namespace platform::framework {

std::u16string CommandLineText::quote(const std::u16string& argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\n\v\"") == std::u16string::npos) return argument;
  std::u16string out = u"\"";
  size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count double before a quote; the quote itself is escaped.
    out.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
    backslashes = 0;
    out += c;
  }
  // Before the closing quote, backslashes count double as well.
  out.append(backslashes * 2, u'\\');
  out += u'"';
  return out;
}

std::u16string CommandLineText::join(const std::vector<std::u16string>& arguments, size_t first) {
  std::u16string out;
  for (size_t i = first; i < arguments.size(); ++i) {
    if (i > first) out += u' ';
    out += quote(arguments[i]);
  }
  return out;
}

}  // namespace platform::framework
