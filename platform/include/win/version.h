// The operating-system version the platform reports: GetVersionExW.
//
// The platform presents itself as Windows NT 5.1 (XP, Service Pack 3, a workstation). The environment
// variable VESPER_WINVER names another version as "major.minor" (for example "6.1" or "5.0"), so that
// programs that check the version can be tried on every branch. A malformed value gets one line on
// standard error and the default. Known versions come with their usual build number, service pack
// and product type (5.2 reports a server, as Windows Server 2003).
#pragma once

#include <win/types.h>

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

#define VER_NT_WORKSTATION 0x0000001
#define VER_NT_DOMAIN_CONTROLLER 0x0000002
#define VER_NT_SERVER 0x0000003

#define VER_SUITE_SMALLBUSINESS 0x00000001
#define VER_SUITE_ENTERPRISE 0x00000002
#define VER_SUITE_TERMINAL 0x00000010
#define VER_SUITE_SINGLEUSERTS 0x00000100
#define VER_SUITE_PERSONAL 0x00000200

typedef struct _OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;  // the caller sets sizeof(OSVERSIONINFOW), 276
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
} OSVERSIONINFOW, *POSVERSIONINFOW, *LPOSVERSIONINFOW;

typedef struct _OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;  // the caller sets sizeof(OSVERSIONINFOEXW), 284
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
} OSVERSIONINFOEXW, *POSVERSIONINFOEXW, *LPOSVERSIONINFOEXW;

// Fills an OSVERSIONINFOW or OSVERSIONINFOEXW, told apart by the size field; any other size fails with
// ERROR_INSUFFICIENT_BUFFER, a null pointer with ERROR_INVALID_PARAMETER.
BOOL WINAPI GetVersionExW(LPOSVERSIONINFOW versionInformation);
