// What the tool learns once from the platform: the user's SID text for HKEY_CURRENT_USER, and the
// message texts of native status codes for its error lines.
#pragma once

#include <win/ntdll.h>

#include <string>

namespace reg {

class Session {
 public:
  static std::u16string userSid();
  // The message of a status as one line, without the line end.
  static std::string statusText(NTSTATUS status);
};

}  // namespace reg
