// The program's information note: the application's message box with the information icon and no
// owner, captioned with the application's name.
#pragma once

namespace s::system::vesper {

void showInformationBox(const char16_t* text);

}  // namespace s::system::vesper
