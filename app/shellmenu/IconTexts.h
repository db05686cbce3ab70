// The icon references of the template, as texts "file,number": icons of the bridge library itself
// and icons of the system's shell library. Both are process-wide caches filled on first use.
#pragma once

#include <cstdint>

namespace s::shell::server01 {

// The bridge's registered "Path" (environment variables expanded), "," and n, for n from 0 to 39;
// null for any other n. A missing "Path" gives "," and the number.
const char16_t* bridgeIcon(int32_t n);

// The system folder (read once), "\shell32.dll," and n; the text stays valid until the next call.
const char16_t* systemShellIcon(int32_t n);

// Forgets the cached texts, so that the next use reads "Path" and the system folder again.
void forgetIconTexts();

}  // namespace s::shell::server01
