// The power backend that asks systemd-logind over the system D-Bus: Suspend, Hibernate, Reboot and
// PowerOff without interactive authorisation, and TerminateSession of the caller's own session.
#pragma once

#include <string>

#include "power/PowerBackend.h"

namespace platform::power {

class LogindPowerBackend : public PowerBackend {
 public:
  DWORD request(PowerAction action) override;

 private:
  // The caller's session: XDG_SESSION_ID, else the Id of the session logind reports for this process.
  static DWORD ownSession(std::string& id);
};

}  // namespace platform::power
