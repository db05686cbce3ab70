#include "start/InformationBox.h"

#include <framework/WinApp.h>
#include <win/msgbox.h>

namespace s::system::vesper {

void showInformationBox(const char16_t* text) { AfxMessageBox(text, MB_OK | MB_ICONINFORMATION); }

}  // namespace s::system::vesper
