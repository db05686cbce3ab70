// A child process for the process tests: /bin/sleep, started with an argument vector and always
// killed and reaped at the end of the test.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

extern char** environ;

class ChildProcess {
 public:
  ChildProcess() {
    std::string program = "/bin/sleep", seconds = "60";
    char* argv[] = {program.data(), seconds.data(), nullptr};
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = 0;
  }
  ~ChildProcess() { end(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }

  // Kills and reaps the child; afterwards its id may name another process.
  void end() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
  }

 private:
  pid_t pid_ = 0;
};
