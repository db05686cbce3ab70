// ExitWindowsEx and SetSystemPowerState: the privilege check, then the request to the selected backend.
#include <win/error.h>
#include <win/power.h>

#include "kernel/token/PrivilegeNames.h"
#include "kernel/token/ProcessToken.h"
#include "power/PowerBackend.h"

using platform::kernel::token::PrivilegeNames;
using platform::kernel::token::ProcessToken;
using platform::power::PowerAction;
using platform::power::PowerBackend;

namespace {

constexpr UINT kKnownFlags = EWX_SHUTDOWN | EWX_REBOOT | EWX_FORCE | EWX_POWEROFF | EWX_FORCEIFHUNG |
                             EWX_QUICKRESOLVE | EWX_RESTARTAPPS | EWX_HYBRID_SHUTDOWN | EWX_BOOTOPTIONS;

BOOL carryOut(PowerAction action) {
  if (action != PowerAction::LogOff && !ProcessToken::isEnabled(PrivilegeNames::idOf(u"SeShutdownPrivilege"))) {
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE;
  }
  DWORD result = PowerBackend::select()->request(action);
  if (result != ERROR_SUCCESS) {
    SetLastError(result);
    return FALSE;
  }
  return TRUE;
}

}  // namespace

BOOL WINAPI ExitWindowsEx(UINT flags, DWORD) {
  bool reboot = (flags & EWX_REBOOT) != 0;
  bool powerOff = (flags & (EWX_SHUTDOWN | EWX_POWEROFF)) != 0;
  // Rebooting and powering off at once is no request the system can carry out.
  if ((flags & ~kKnownFlags) || (reboot && powerOff)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return carryOut(reboot ? PowerAction::Reboot : powerOff ? PowerAction::PowerOff : PowerAction::LogOff);
}

BOOL WINAPI SetSystemPowerState(BOOL suspend, BOOL) {
  return carryOut(suspend ? PowerAction::Suspend : PowerAction::Hibernate);
}
