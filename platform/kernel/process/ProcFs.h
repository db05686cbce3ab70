// What the platform reads about processes from /proc: the list of process ids, the status line of a
// process, its owner, its executable and the files mapped executable into it.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform::kernel::process {

struct ProcessStatus {
  pid_t parent = 0;
  uint32_t threads = 0;
  int nice = 0;
  std::string command;  // the kernel's short name of the process
};

struct MappedFile {
  std::string path;
  uintptr_t base = 0;  // lowest address of any mapping of the file
  uintptr_t end = 0;   // end of its highest mapping
};

class ProcFs {
 public:
  // Ids of every process now running, ascending.
  static std::vector<pid_t> processIds();
  static bool readStatus(pid_t pid, ProcessStatus& status);
  // The effective owner of the process, as /proc shows it; false when it is gone.
  static bool owner(pid_t pid, uid_t& uid);
  // The executable's path; 0 on success, else the errno of the failed read (EACCES for a process the
  // user may not inspect, ENOENT for a process without executable or one that has ended).
  static int executable(pid_t pid, std::string& path);
  // The files mapped with execute permission, in address order, each once; empty when unreadable.
  static std::vector<MappedFile> executableMappings(pid_t pid);
  // Where the given file is mapped, lowest to highest address; base and end 0 when unknown.
  static MappedFile mappingOf(pid_t pid, const std::string& path);
};

}  // namespace platform::kernel::process
