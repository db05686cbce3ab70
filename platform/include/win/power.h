// Power and session actions: ExitWindowsEx (log off, reboot, shut down) and SetSystemPowerState
// (stand by, hibernate).
//
// How the Win32 semantics are met on Linux:
// - The requests go to systemd-logind over the system D-Bus (the bus named by DBUS_SYSTEM_BUS_ADDRESS,
//   else the standard one): Suspend, Hibernate, Reboot and PowerOff without interactive
//   authorisation, and log off as TerminateSession of the caller's own session (XDG_SESSION_ID, else
//   the session logind reports for the process). The call returns once logind has accepted or
//   refused the request.
// - When VESPER_POWER_LOG is set, nothing is sent: one line per request is appended to that file, the
//   logind method name first ("Suspend interactive=false pid=<pid>", "TerminateSession
//   session=<id or auto> pid=<pid>"). A log file that cannot be written makes every request fail; it
//   never falls back to logind.
// - As on the documented system, shutting down, rebooting and the power states need the calling
//   process's SeShutdownPrivilege to be enabled (AdjustTokenPrivileges); without it the call fails
//   with ERROR_PRIVILEGE_NOT_HELD and nothing is requested. Logging off needs no privilege.
// - Failures answer FALSE with the last error: ERROR_NOT_SUPPORTED (logind cannot do that sleep
//   state), ERROR_ACCESS_DENIED, ERROR_PRIVILEGE_NOT_HELD (authorisation needed), ERROR_BUSY (another
//   operation in progress), ERROR_SERVICE_NOT_ACTIVE (bus or logind unreachable), ERROR_TIMEOUT,
//   ERROR_NOT_FOUND (no session), or the file error of the log.
#pragma once

#include <win/types.h>

#define EWX_LOGOFF 0x00000000u
#define EWX_SHUTDOWN 0x00000001u
#define EWX_REBOOT 0x00000002u
#define EWX_FORCE 0x00000004u
#define EWX_POWEROFF 0x00000008u
#define EWX_FORCEIFHUNG 0x00000010u
#define EWX_QUICKRESOLVE 0x00000020u
#define EWX_RESTARTAPPS 0x00000040u
#define EWX_HYBRID_SHUTDOWN 0x00400000u
#define EWX_BOOTOPTIONS 0x01000000u

// Shut-down reasons are accepted and not used.
#define SHTDN_REASON_MAJOR_OTHER 0x00000000u
#define SHTDN_REASON_MINOR_OTHER 0x00000000u
#define SHTDN_REASON_FLAG_PLANNED 0x80000000u

// Logs off (EWX_LOGOFF), reboots (EWX_REBOOT) or powers off (EWX_SHUTDOWN or EWX_POWEROFF); the force
// flags are accepted (logind ends the session's programs itself). Unknown flag bits fail with
// ERROR_INVALID_PARAMETER.
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason);
// suspend TRUE: stand by (Suspend); FALSE: hibernate (Hibernate). force is accepted and not used.
BOOL WINAPI SetSystemPowerState(BOOL suspend, BOOL force);
