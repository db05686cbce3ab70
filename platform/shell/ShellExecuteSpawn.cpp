#include "shell/ShellExecuteSpawn.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "kernel/process/ProcessObject.h"

extern char** environ;

namespace platform::shell {

namespace {

constexpr const char* kOpener = "xdg-open";

// Waits for the opener in the background; the opener often runs on as long as it takes the desktop
// to hand the address over, and the caller must not wait for that.
void reapLater(pid_t pid) {
  try {
    std::thread([pid] {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // Without a thread the finished opener stays a zombie until this process ends.
  }
}

}  // namespace

int ShellExecuteSpawn::openAddress(const std::string& address, const std::string& folder, SpawnedOpener& out) {
  posix_spawn_file_actions_t actions;
  int r = posix_spawn_file_actions_init(&actions);
  if (r != 0) return r;
  if (!folder.empty() && (r = posix_spawn_file_actions_addchdir_np(&actions, folder.c_str())) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return r;
  }
  std::string program = kOpener;
  std::string argument = address;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  r = posix_spawnp(&pid, kOpener, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (r != 0) return r;
  // The pidfd before the reaper runs, so that it names the opener and no later process with its id.
  out.pid = pid;
  out.pidfd = kernel::process::ProcessObject::openPidfd(pid);
  reapLater(pid);
  return 0;
}

}  // namespace platform::shell
