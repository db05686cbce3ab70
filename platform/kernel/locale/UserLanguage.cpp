// The interface language follows the variables that decide a POSIX program's message language, in
// their order of precedence. Only the winning variable counts: LC_ALL=C means English even when LANG
// names another language, as it does for every other program of the session.
#include "kernel/locale/UserLanguage.h"

#include <cstdlib>
#include <string>

#include "kernel/locale/LanguageIdTable.h"
#include "kernel/locale/LocaleName.h"

namespace platform::kernel::locale {

LANGID UserLanguage::fromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return fromLocaleName(value);
  }
  return kFallback;
}

LANGID UserLanguage::fromLocaleName(std::string_view text) {
  LocaleName name(text);
  if (!name.valid() || name.portable()) return kFallback;
  // The script a modifier names (sr@latin) matters more than the territory; a modifier that names no
  // script (de_DE@euro) finds nothing and falls through to the territory.
  std::string language = name.language();
  std::string territory = name.territory().empty() ? std::string() : language + "_" + name.territory();
  std::string modifier = name.modifier().empty() ? std::string() : "@" + name.modifier();
  const std::string candidates[] = {
      territory.empty() || modifier.empty() ? std::string() : territory + modifier,
      modifier.empty() ? std::string() : language + modifier,
      territory,
      language,
  };
  for (const std::string& key : candidates) {
    if (key.empty()) continue;
    if (LANGID id = LanguageIdTable::find(key)) return id;
  }
  return kFallback;
}

}  // namespace platform::kernel::locale
