// Tells the user about a native status the registry layer cannot recover from: the system's text
// for the code, from the message table of "ntdll.dll", in a stop-icon message box.
#pragma once

#include <win/types.h>

#include <cstdint>

#include "base/str/strbuffer/StrBuffer.h"

namespace s::reg::win {

class ErrorMessage {
 public:
  static constexpr const char16_t* kCaption = u"CNtRegistry: Message...";

  // "Error( code [0x    code L] ) - text", or the no-data text when the table has none.
  static void compose(HMODULE ntdll, uint32_t code, s::str::strbuffer::StrBuffer* out);
  static void show(HMODULE ntdll, uint32_t code);
};

}  // namespace s::reg::win
