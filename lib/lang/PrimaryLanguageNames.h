// The names of the Windows primary languages (the low byte of a language identifier), as the
// LANG_ constants spell them without their prefix. The interface-language name is built from them.
#pragma once

#include <cstdint>

namespace s::lang {

class PrimaryLanguageNames {
 public:
  // The upper-case name of the primary language, such as "JAPANESE" for 0x11; null when the table
  // has no name for it.
  static const char* nameOf(uint32_t primaryLanguage);
  // How many primary languages have a name.
  static uint32_t count();
};

}  // namespace s::lang
