// GetVersionExW: the version the platform reports, in either of the two record sizes.
#include <win/error.h>
#include <win/version.h>

#include <cstring>

#include "kernel/version/ReportedVersion.h"

using platform::kernel::version::ReportedVersion;

BOOL WINAPI GetVersionExW(LPOSVERSIONINFOW info) {
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD size = info->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  ReportedVersion v = ReportedVersion::current();
  std::memset(info, 0, size);
  info->dwOSVersionInfoSize = size;
  info->dwMajorVersion = v.major;
  info->dwMinorVersion = v.minor;
  info->dwBuildNumber = v.build;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  for (size_t i = 0; v.servicePack[i] && i + 1 < 128; ++i) info->szCSDVersion[i] = v.servicePack[i];
  if (size == sizeof(OSVERSIONINFOEXW)) {
    auto* ex = reinterpret_cast<LPOSVERSIONINFOEXW>(info);
    ex->wServicePackMajor = v.servicePackMajor;
    ex->wProductType = v.productType;
  }
  return TRUE;
}

static_assert(sizeof(OSVERSIONINFOW) == 276, "the record size callers set");
static_assert(sizeof(OSVERSIONINFOEXW) == 284, "the extended record size callers set");
