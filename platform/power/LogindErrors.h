// Turns the failures of a logind request (an error reply, or a failure of the connection itself) into
// the Win32 error codes that the power functions report.
#pragma once

#include <win/types.h>

#include <systemd/sd-bus.h>

namespace platform::power {

class LogindErrors {
 public:
  // The code for a failed call: the error reply's name when there is one, else the errno-style code.
  static DWORD fromCall(const sd_bus_error* error, int result);
  // The code for a connection that could not be made.
  static DWORD fromConnect(int result);
  // True when the failure lies in the connection, so that the next request should connect anew.
  static bool brokeConnection(int result);
};

}  // namespace platform::power
