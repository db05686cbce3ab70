// The Win32 language queries. The process has a single locale, so the user's and the system's
// interface language and the user's formatting language are one and the same identifier.
#include <win/locale.h>

#include "kernel/locale/UserLanguage.h"

using platform::kernel::locale::UserLanguage;

LANGID WINAPI GetUserDefaultUILanguage() { return UserLanguage::fromEnvironment(); }

LANGID WINAPI GetSystemDefaultUILanguage() { return UserLanguage::fromEnvironment(); }

LANGID WINAPI GetUserDefaultLangID() { return UserLanguage::fromEnvironment(); }
