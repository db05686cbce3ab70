// A private logind for GoogleTest fixtures: starts tests/support/logind-mock/logind_mock.py in its
// "serve" mode (a dbus-daemon of its own with python3-dbusmock's logind template), points this process
// at it (DBUS_SYSTEM_BUS_ADDRESS set, VESPER_POWER_LOG and XDG_SESSION_ID removed) and puts everything
// back when it goes out of scope, ending the helper and its bus.
//
//   LogindMock mock;                  // or LogindMock mock(LogindMock::FailHibernate);
//   ASSERT_TRUE(mock.ready()) << mock.problem();
//   ... power requests ...
//   EXPECT_EQ(mock.methods(), (std::vector<std::string>{"Reboot"}));
//
// Child processes started meanwhile inherit the environment, so they reach the same mock.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

class LogindMock {
 public:
  enum Options { Plain, FailHibernate };

  explicit LogindMock(Options options = Plain) {
    saveAndUnset("VESPER_POWER_LOG");
    saveAndUnset("XDG_SESSION_ID");
    saveAndUnset("DBUS_SYSTEM_BUS_ADDRESS");
    start(options);
  }

  ~LogindMock() {
    if (toHelper_) std::fclose(toHelper_);  // end of input: the helper cleans up and exits
    if (fromHelper_) std::fclose(fromHelper_);
    if (pid_ > 0) {
      int status = 0;
      while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }

  LogindMock(const LogindMock&) = delete;
  LogindMock& operator=(const LogindMock&) = delete;

  bool ready() const { return !address_.empty(); }
  const std::string& problem() const { return problem_; }
  const std::string& address() const { return address_; }

  // Makes the logind Manager method raise the D-Bus error `name` with `message`.
  bool fail(const std::string& method, const std::string& name, const std::string& message) {
    std::vector<std::string> output;
    return command("fail " + method + " " + name + " " + message, output);
  }

  // The calls made since the mock started, "<Method> <arguments>" each, e.g. "Suspend False".
  std::vector<std::string> calls() {
    std::vector<std::string> output;
    command("calls", output);
    return output;
  }

  // The method names of calls(), without the lines that report a raised error.
  std::vector<std::string> methods() {
    std::vector<std::string> names;
    for (const std::string& line : calls()) {
      if (line.find(" raised: ") != std::string::npos) continue;
      names.push_back(line.substr(0, line.find(' ')));
    }
    return names;
  }

 private:
  static std::string scriptPath() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind('/') + 1) + "logind-mock/logind_mock.py";
  }

  void saveAndUnset(const char* name) {
    const char* value = ::getenv(name);
    saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    ::unsetenv(name);
  }

  void start(Options options) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) return setProblem("pipe");
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
      ::close(toChild[0]);
      ::close(toChild[1]);
      return setProblem("pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    std::string python = "/usr/bin/python3", script = scriptPath(), mode = "serve", flag = "--fail-hibernate";
    std::vector<char*> argv = {python.data(), script.data(), mode.data()};
    if (options == FailHibernate) argv.push_back(flag.data());
    argv.push_back(nullptr);
    int r = ::posix_spawn(&pid_, python.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (r != 0) {
      ::close(toChild[1]);
      ::close(fromChild[0]);
      pid_ = 0;
      return setProblem("cannot start /usr/bin/python3");
    }
    toHelper_ = ::fdopen(toChild[1], "w");
    fromHelper_ = ::fdopen(fromChild[0], "r");
    std::string line;
    const std::string key = "DBUS_SYSTEM_BUS_ADDRESS=";
    if (!readLine(line) || line.compare(0, key.size(), key) != 0) return setProblem("the helper did not start: " + line);
    address_ = line.substr(key.size());
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", address_.c_str(), 1);
  }

  void setProblem(const std::string& why) { problem_ = why; }

  bool readLine(std::string& line) {
    line.clear();
    if (!fromHelper_) return false;
    for (int c; (c = std::fgetc(fromHelper_)) != EOF;) {
      if (c == '\n') return true;
      line += static_cast<char>(c);
    }
    return !line.empty();
  }

  // Sends one command; the lines before its "ok" are its output.
  bool command(const std::string& text, std::vector<std::string>& output) {
    if (!ready() || !toHelper_) return false;
    std::fprintf(toHelper_, "%s\n", text.c_str());
    std::fflush(toHelper_);
    for (std::string line; readLine(line);) {
      if (line == "ok") return true;
      if (line.compare(0, 6, "error ") == 0) {
        problem_ = line;
        return false;
      }
      output.push_back(line);
    }
    return false;
  }

  pid_t pid_ = 0;
  FILE* toHelper_ = nullptr;
  FILE* fromHelper_ = nullptr;
  std::string address_;
  std::string problem_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
