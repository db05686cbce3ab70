// Chooses the user's interface language from the POSIX locale environment and turns it into a Windows
// language identifier.
#pragma once

#include <win/locale.h>

#include <string_view>

namespace platform::kernel::locale {

class UserLanguage {
 public:
  // US English, the answer for the portable locale and for anything that cannot be recognised.
  static constexpr LANGID kFallback = 0x0409;

  // The identifier for the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
  static LANGID fromEnvironment();
  // The identifier of one locale name, such as "de_DE.UTF-8@euro".
  static LANGID fromLocaleName(std::string_view name);
};

}  // namespace platform::kernel::locale
