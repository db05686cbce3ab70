// The English name of the user's interface language, in the spelling of the language packs'
// engName ("Japanese", "Chinese_simplified"), computed from the platform's interface language once
// per process and then kept.
#pragma once

#include <win/locale.h>

#include <cstdint>

namespace s::lang {

class DefaultLanguage {
 public:
  // The longest name plus its terminator fits in this many units.
  static constexpr uint32_t kNameCapacity = 32;

  // The kept name, computed on first use; the text lives as long as the process.
  static const char16_t* name();
  // Computes the name again from the current locale (after a locale change, and in tests).
  static const char16_t* refresh();
  // Writes the name for a language identifier into `out` (kNameCapacity units): exact identifiers
  // first, then the primary language, else "Unknown".
  static void nameFor(LANGID language, char16_t* out);
};

// The process-wide interface-language name (DefaultLanguage::name).
const char16_t* defaultLanguageName();

}  // namespace s::lang
