#include "power/SystemVersion.h"

#include <win/version.h>

#include <cstdint>

#include "base/thread/ObjLocker.h"

namespace s::system::vesper {

namespace {

struct VersionInfo {
  bool ready = false;
  bool isNt = false;
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  bool vistaOrLater = false;
  bool windows7OrLater = false;
};

VersionInfo info;

s::thread::ObjLocker& infoLock() {
  static s::thread::ObjLocker lock;
  return lock;
}

// Fills the cache on first use; every reader comes through here.
const VersionInfo& version() {
  s::thread::ObjLocker::Scope scope(infoLock());
  if (info.ready) return info;
  OSVERSIONINFOW record = {};
  record.dwOSVersionInfoSize = sizeof record;
  // A system that does not answer reads as none of the known versions.
  if (GetVersionExW(&record)) {
    info.isNt = record.dwPlatformId == VER_PLATFORM_WIN32_NT;
    info.majorVersion = record.dwMajorVersion;
    info.minorVersion = record.dwMinorVersion;
  }
  info.vistaOrLater = info.majorVersion >= 6;
  info.windows7OrLater = info.majorVersion > 6 || (info.majorVersion == 6 && info.minorVersion >= 1);
  info.ready = true;
  return info;
}

}  // namespace

bool isWindowsXp() {
  const VersionInfo& v = version();
  return v.isNt && v.majorVersion == 5 && v.minorVersion == 1;
}

bool isWindowsServer2003() {
  const VersionInfo& v = version();
  return v.isNt && v.majorVersion == 5 && v.minorVersion == 2;
}

bool isVistaOrLater() { return version().vistaOrLater; }

bool isWindows7OrLater() { return version().windows7OrLater; }

}  // namespace s::system::vesper
