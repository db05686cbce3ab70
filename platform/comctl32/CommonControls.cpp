// Common-control initialisation. The platform registers its controls itself, so the call checks its
// record and answers success.
#include <win/commctrl.h>
#include <win/error.h>

namespace {

constexpr DWORD kKnownClasses = 0x0000FFFFu;

}  // namespace

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX) || (init->dwICC & ~kKnownClasses)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

void WINAPI InitCommonControls() {}
