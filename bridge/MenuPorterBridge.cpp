// The stand-in bridge's self-registration. Registering records the bridge's own full path as "Path"
// in HKEY_CURRENT_USER\Software\MenuPorter110, where applications find it for their icon references;
// unregistering removes "Path" again, but only while it still names this very file, so that a stale
// copy never unregisters the bridge that replaced it. When VESPER_BRIDGE_LOG names a file, each call
// also appends a line "register <path>" or "unregister <path>" to it, so that tests can tell how
// often and on which file the program called the bridge.
#include <dlfcn.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/str/strbuffer/StrBuffer.h"
#include "reg/win/RegDir.h"

namespace {

// The bridge carries its own copy of the library, whose process-lifetime state (pools, the hive
// connection) is not torn down when the host unloads the bridge. That memory is left behind by
// design, a few kilobytes per load, so the leak checker is told not to count what the entry points
// allocate.
struct LeakCheckPause {
#if defined(__SANITIZE_ADDRESS__)
  LeakCheckPause() { __lsan_disable(); }
  ~LeakCheckPause() { __lsan_enable(); }
#endif
};

using s::reg::win::RegDir;
using s::str::strbuffer::StrBuffer;

constexpr char16_t kBridgeKey[] = u"Software\\MenuPorter110";
constexpr long kSuccess = 0;
constexpr long kFailure = static_cast<long>(0x80004005L);  // E_FAIL

// This module's own file, as it was loaded; null when the loader does not tell.
StrBuffer* acquireOwnPath() {
  Dl_info info;
  if (!dladdr(reinterpret_cast<void*>(&acquireOwnPath), &info) || !info.dli_fname || !info.dli_fname[0])
    return nullptr;
  StrBuffer* path = StrBuffer::acquire();
  if (path) path->fromUtf8(info.dli_fname);
  return path;
}

// Appends "<what> <this file>" to the call log, when one is asked for.
void logCall(const char* what) {
  const char* log = std::getenv("VESPER_BRIDGE_LOG");
  Dl_info info;
  if (!log || !log[0] || !dladdr(reinterpret_cast<void*>(&logCall), &info) || !info.dli_fname) return;
  FILE* out = std::fopen(log, "a");
  if (!out) return;
  std::fprintf(out, "%s %s\n", what, info.dli_fname);
  std::fclose(out);
}

}  // namespace

extern "C" long DllRegisterServer() {
  [[maybe_unused]] LeakCheckPause pause;
  logCall("register");
  StrBuffer* path = acquireOwnPath();
  if (!path) return kFailure;
  RegDir* key = RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, kBridgeKey);
  const bool written = key && key->setString(u"Path", path->getText()) == 0;
  if (key) key->release();
  path->release();
  return written ? kSuccess : kFailure;
}

extern "C" long DllUnregisterServer() {
  [[maybe_unused]] LeakCheckPause pause;
  logCall("unregister");
  StrBuffer* path = acquireOwnPath();
  if (!path) return kFailure;
  RegDir* key = RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, kBridgeKey);
  bool ok = key != nullptr;
  if (key) {
    const char16_t* registered = key->getString(u"Path", u"", nullptr, true);
    if (std::u16string_view(path->getText()) == std::u16string_view(registered)) ok = key->removeValue(u"Path") == 0;
    key->release();
  }
  path->release();
  return ok ? kSuccess : kFailure;
}
