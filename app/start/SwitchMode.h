// Switch mode: a start with arguments runs the matching action of each argument, in order, and shows
// no window. The switch table is also what the desktop context menu starts the program with.
#pragma once

#include <cstdint>

namespace s::app::win {
class AppBase;
}
namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::system::vesper {

using SwitchAction = void (*)(s::app::win::AppBase* application);

struct Switch {
  const char16_t* text;
  SwitchAction action;
};

// The switches in the order they are compared.
extern const Switch kSwitches[];
extern const uint32_t kSwitchCount;

// The first switch whose text equals the whole argument ignoring case, or null.
const Switch* matchSwitch(const s::str::strbuffer::StrBuffer* argument);
const Switch* findSwitch(const char16_t* argument);
// Runs every argument of the application's command line through the switch table.
void runSwitchMode(s::app::win::AppBase* application);

}  // namespace s::system::vesper
