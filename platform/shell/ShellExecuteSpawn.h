// Starts the desktop's opener (xdg-open, found on PATH) for one address, with an argument vector and
// never through a shell, and makes sure the finished opener is reaped so no process is left behind.
#pragma once

#include <sys/types.h>

#include <string>

namespace platform::shell {

struct SpawnedOpener {
  pid_t pid = 0;
  int pidfd = -1;  // a pidfd of the opener, owned by the caller; -1 when the kernel offers none
};

class ShellExecuteSpawn {
 public:
  // Starts "xdg-open <address>" in `folder` (the current folder when empty). 0 on success, else the
  // errno of the failure to start it.
  static int openAddress(const std::string& address, const std::string& folder, SpawnedOpener& out);
};

}  // namespace platform::shell
