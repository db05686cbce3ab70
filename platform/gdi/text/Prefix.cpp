#include "gdi/text/Prefix.h"

namespace platform::gdi::text {

PrefixedText Prefix::strip(std::u16string_view text) {
  PrefixedText out;
  out.text.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      out.text.push_back(text[i]);
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lone "&" at the end shows nothing
    if (text[i + 1] == u'&') {
      out.text.push_back(u'&');
      ++i;
      continue;
    }
    // The next character is the mnemonic; a line break cannot be one.
    if (text[i + 1] != u'\r' && text[i + 1] != u'\n')
      out.underlined.push_back(static_cast<uint32_t>(out.text.size()));
  }
  return out;
}

}  // namespace platform::gdi::text
