#include "shell/SystemFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace shell {

namespace {

std::string defaultFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/vesper/system";
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* entry = getpwuid(geteuid());
    home = entry ? entry->pw_dir : nullptr;
  }
  return std::string(home ? home : "/tmp") + "/.local/share/vesper/system";
}

void reportMalformed(const char* value) {
  static std::once_flag once;
  std::call_once(once, [value] {
    std::fprintf(stderr, "vesper: VESPER_SYSTEM_DIR=\"%s\" is not an absolute path; using %s\n", value,
                 defaultFolder().c_str());
  });
}

}  // namespace

std::string systemFolder() {
  const char* setting = std::getenv("VESPER_SYSTEM_DIR");
  if (!setting) return defaultFolder();
  std::string value(setting);
  if (value.empty() || value[0] != '/') {
    reportMalformed(setting);
    return defaultFolder();
  }
  while (value.size() > 1 && value.back() == '/') value.pop_back();
  return value;
}

}  // namespace shell
