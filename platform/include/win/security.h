// The process token and its privileges: OpenProcessToken, LookupPrivilegeValueW and
// AdjustTokenPrivileges.
//
// How the Win32 semantics are met on Linux:
// - The process has one token; every token handle of the process names it, so a privilege enabled
//   through one handle is enabled for all. Its state lives only in the process (a child starts anew).
// - The token holds the privileges of an ordinary interactive user: SeShutdownPrivilege,
//   SeChangeNotifyPrivilege (enabled from the start), SeUndockPrivilege,
//   SeIncreaseWorkingSetPrivilege and SeTimeZonePrivilege. The others are known by name but not
//   held, so enabling them reports ERROR_NOT_ALL_ASSIGNED as on the documented system.
// - Whether Linux then lets the action happen is decided by the service that carries it out (the
//   power functions ask systemd-logind, which asks polkit).
#pragma once

#include <win/types.h>
#include <win/ntdll.h>

typedef struct _LUID {
  DWORD LowPart;
  LONG HighPart;
} LUID, *PLUID;

typedef struct _LUID_AND_ATTRIBUTES {
  LUID Luid;
  DWORD Attributes;
} LUID_AND_ATTRIBUTES, *PLUID_AND_ATTRIBUTES;

// A list of privileges; callers with more than one entry allocate room behind the structure.
typedef struct _TOKEN_PRIVILEGES {
  DWORD PrivilegeCount;
  LUID_AND_ATTRIBUTES Privileges[1];
} TOKEN_PRIVILEGES, *PTOKEN_PRIVILEGES;

#define SE_PRIVILEGE_ENABLED_BY_DEFAULT 0x00000001u
#define SE_PRIVILEGE_ENABLED 0x00000002u
#define SE_PRIVILEGE_REMOVED 0x00000004u
#define SE_PRIVILEGE_USED_FOR_ACCESS 0x80000000u

#define SE_SHUTDOWN_NAME u"SeShutdownPrivilege"
#define SE_REMOTE_SHUTDOWN_NAME u"SeRemoteShutdownPrivilege"
#define SE_CHANGE_NOTIFY_NAME u"SeChangeNotifyPrivilege"
#define SE_DEBUG_NAME u"SeDebugPrivilege"
#define SE_UNDOCK_NAME u"SeUndockPrivilege"
#define SE_INC_WORKING_SET_NAME u"SeIncreaseWorkingSetPrivilege"
#define SE_TIME_ZONE_NAME u"SeTimeZonePrivilege"
#define SE_SYSTEMTIME_NAME u"SeSystemtimePrivilege"

// Opens the token of the calling process (GetCurrentProcess() or a handle of the own process) with the
// given TOKEN_* rights. FALSE with ERROR_INVALID_HANDLE for a bad handle, ERROR_ACCESS_DENIED for
// another process or a process handle without PROCESS_QUERY_INFORMATION, ERROR_INVALID_PARAMETER for
// a null result pointer. Close the token with CloseHandle.
BOOL WINAPI OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token);
// The local identifier of a privilege named, ignoring case, as above. Only the local system (null or
// empty system name) is served: other names fail with ERROR_NOT_SUPPORTED; an unknown privilege
// fails with ERROR_NO_SUCH_PRIVILEGE.
BOOL WINAPI LookupPrivilegeValueW(LPCWSTR systemName, LPCWSTR name, PLUID luid);
// Enables, disables or removes the listed privileges (or disables all). Needs TOKEN_ADJUST_PRIVILEGES
// (and TOKEN_QUERY when the previous state is asked for). Succeeds with the last error
// ERROR_SUCCESS, or ERROR_NOT_ALL_ASSIGNED when some listed privilege is not held (the others are
// still changed). A previous-state buffer that is too small fails with ERROR_INSUFFICIENT_BUFFER,
// changes nothing and tells the size needed.
BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges, PTOKEN_PRIVILEGES newState,
                                  DWORD bufferLength, PTOKEN_PRIVILEGES previousState, PDWORD returnLength);
