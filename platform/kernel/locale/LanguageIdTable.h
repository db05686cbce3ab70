// The Windows language identifiers of POSIX locale names. Keys are "language", "language_TERRITORY",
// "language@modifier" or "language_TERRITORY@modifier", spelled as LocaleName normalises them.
#pragma once

#include <win/locale.h>

#include <string_view>

namespace platform::kernel::locale {

class LanguageIdTable {
 public:
  // The identifier of exactly that key, or 0 when the table has none.
  static LANGID find(std::string_view key);
};

}  // namespace platform::kernel::locale
