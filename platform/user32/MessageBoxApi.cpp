// MessageBoxW: a real dialog on the display when one is open, the standard-error stand-in otherwise,
// so that a run without a display never waits on a box nobody can answer. MessageBeep is silent.
#include "display/DisplaySelection.h"
#include "user32/MessageBoxDialog.h"
#include "user32/MessageBoxStandIn.h"

#include <win/msgbox.h>

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (!platform::display::DisplaySelection::available())
    return platform::user32::MessageBoxStandIn::answer(text, caption, type);
  return platform::user32::MessageBoxDialog::run(owner, text, caption, type);
}

BOOL WINAPI MessageBeep(UINT) { return TRUE; }
