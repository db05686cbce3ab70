// Resolution of the hive's file name from the environment.
#include "ntdll/HiveLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

namespace ntdll {

namespace {

std::string defaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
      const passwd* entry = getpwuid(geteuid());
      home = entry ? entry->pw_dir : nullptr;
    }
    base = std::string(home ? home : "/tmp") + "/.config";
  }
  return base + "/vesper/registry.db";
}

// Each malformed value is reported once per process, not on every registry call.
void reportMalformed(const std::string& value) {
  static std::mutex lock;
  static std::set<std::string> reported;
  std::lock_guard<std::mutex> guard(lock);
  if (!reported.insert(value).second) return;
  std::fprintf(stderr, "vesper: VESPER_REGISTRY=\"%s\" does not name a file; using the default registry %s\n",
               value.c_str(), defaultPath().c_str());
}

}  // namespace

const char* HiveLocation::setting() { return std::getenv("VESPER_REGISTRY"); }

std::string HiveLocation::resolve(const char* setting, bool& isDefault) {
  isDefault = true;
  if (!setting) return defaultPath();
  std::string value(setting);
  if (value.empty() || value.back() == '/') {
    reportMalformed(value);
    return defaultPath();
  }
  isDefault = false;
  if (value[0] == '/') return value;
  // A relative name is fixed against the current folder now, so that a later chdir or a reopen in a
  // child process still finds the same file.
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd)) return value;
  return std::string(cwd) + "/" + value;
}

}  // namespace ntdll
