#include "kernel/file/LoadedFiles.h"

#include <dirent.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform::kernel::file {

namespace {

// Reads one process's map: lines "start-end perms offset major:minor inode path".
bool mapHolds(const char* pid, const struct stat& info) {
  std::string name = std::string("/proc/") + pid + "/maps";
  FILE* maps = std::fopen(name.c_str(), "re");
  if (!maps) return false;
  bool found = false;
  char line[4096];
  while (!found && std::fgets(line, sizeof line, maps)) {
    char perms[8] = {};
    unsigned long long offset = 0, inode = 0;
    unsigned int major = 0, minor = 0;
    if (std::sscanf(line, "%*x-%*x %7s %llx %x:%x %llu", perms, &offset, &major, &minor, &inode) != 5) continue;
    if (perms[2] != 'x' || inode != static_cast<unsigned long long>(info.st_ino)) continue;
    found = major == ::major(info.st_dev) && minor == ::minor(info.st_dev);
  }
  std::fclose(maps);
  return found;
}

}  // namespace

bool isLoadedByAnyProcess(const struct stat& info) {
  DIR* proc = ::opendir("/proc");
  if (!proc) return false;
  bool loaded = false;
  while (!loaded) {
    dirent* entry = ::readdir(proc);
    if (!entry) break;
    if (entry->d_name[0] < '0' || entry->d_name[0] > '9') continue;
    loaded = mapHolds(entry->d_name, info);
  }
  ::closedir(proc);
  return loaded;
}

}  // namespace platform::kernel::file
