// Runs the real program (and the reg tool) as child processes in a scratch folder of their own: a
// fresh registry hive, the power log instead of any real power action, a fake xdg-open first on PATH
// that records its arguments, and the interface language fixed to English unless a test says otherwise.
#pragma once

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace testing_program {

struct Outcome {
  bool exited = false;  // false: it had to be killed after the time limit
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// The first word of every line, as the power log and the recording xdg-open write them.
inline std::vector<std::string> firstWords(const std::string& text) {
  std::vector<std::string> words;
  for (const std::string& line : lines(text)) words.push_back(line.substr(0, line.find(' ')));
  return words;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-program-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    std::filesystem::create_directory(folder + "/bin");
    std::ofstream opener(folder + "/bin/xdg-open");
    opener << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << folder << "/xdg-open.log'\n";
    opener.close();
    chmod((folder + "/bin/xdg-open").c_str(), 0755);
    environment["VESPER_REGISTRY"] = folder + "/hive.db";
    environment["VESPER_POWER_LOG"] = powerLogPath();
    environment["LC_ALL"] = "en_US.UTF-8";
    const char* path = getenv("PATH");
    environment["PATH"] = folder + "/bin:" + (path ? path : "/usr/bin:/bin");
    unsetVariables = {"VESPER_WINVER", "LC_MESSAGES", "LANG", "DBUS_SYSTEM_BUS_ADDRESS"};
    // Each test runs its own place of the program, so that tests running side by side never look
    // like another running instance to one another.
    program = placeProgram("program");
    ASSERT_FALSE(program.empty());
  }

  // A link to (or copy of) the built program in a new sub-folder of the scratch folder.
  std::string placeProgram(const std::string& subfolder) {
    std::string target = folder + "/" + subfolder + "/vesper";
    std::error_code failed;
    std::filesystem::create_directory(folder + "/" + subfolder);
    std::filesystem::create_hard_link(VESPER_PROGRAM, target, failed);
    if (failed) {
      failed.clear();
      std::filesystem::copy_file(VESPER_PROGRAM, target, failed);
    }
    return failed ? std::string() : target;
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::string powerLogPath() const { return folder + "/power.log"; }
  std::string powerLog() const { return readFile(powerLogPath()); }
  std::string openerLog() const { return readFile(folder + "/xdg-open.log"); }
  // The recording xdg-open runs on after the program has ended (the program only starts it): wait up to
  // ten seconds for `count` lines to arrive, then answer the log.
  std::string openerLog(size_t count) const {
    for (int i = 0; i < 1000 && lines(openerLog()).size() < count; ++i) usleep(10000);
    return openerLog();
  }

  // Starts `program` with `arguments` in the fixture's environment, its output going to files named
  // after `tag`; answers its pid, or -1.
  pid_t start(const std::string& program, const std::vector<std::string>& arguments,
              const std::string& tag = "run") {
    std::vector<std::string> envText;
    for (char** e = environ; *e; ++e) {
      std::string entry = *e;
      std::string name = entry.substr(0, entry.find('='));
      if (environment.count(name) || isUnset(name)) continue;
      envText.push_back(entry);
    }
    for (const auto& [name, value] : environment) envText.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : envText) envp.push_back(entry.data());
    envp.push_back(nullptr);

    std::vector<std::string> argText{program};
    argText.insert(argText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : argText) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::string outPath = folder + "/" + tag + ".out", errPath = folder + "/" + tag + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = -1;
    int rc = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? child : -1;
  }

  // Waits for a child from start (killing it after `limitSeconds`) and collects its output.
  Outcome finish(pid_t child, const std::string& tag = "run", int limitSeconds = 60) {
    Outcome outcome;
    if (child <= 0) return outcome;
    outcome.exited = waitWithLimit(child, limitSeconds, &outcome.status);
    outcome.out = readFile(folder + "/" + tag + ".out");
    outcome.err = readFile(folder + "/" + tag + ".err");
    return outcome;
  }

  Outcome run(const std::string& program, const std::vector<std::string>& arguments) {
    return finish(start(program, arguments));
  }

  Outcome vesper(const std::vector<std::string>& arguments) { return run(program, arguments); }

  // build/bin/reg with the arguments, in the same hive.
  std::string reg(const std::vector<std::string>& arguments) { return run(VESPER_REG_TOOL, arguments).out; }

  // The data of one value as the reg tool shows it, or "<missing>".
  std::string regValue(const std::string& key, const std::string& name) {
    std::vector<std::string> arguments{"query", key};
    if (name.empty())
      arguments.push_back("/ve");
    else
      arguments.insert(arguments.end(), {"/v", name});
    for (const std::string& line : lines(reg(arguments))) {
      size_t type = line.find("    REG_");
      if (type == std::string::npos) continue;
      size_t data = line.find("    ", type + 4);
      return data == std::string::npos ? std::string() : line.substr(data + 4);
    }
    return "<missing>";
  }

  std::map<std::string, std::string> environment;
  std::vector<std::string> unsetVariables;
  std::string folder;
  // The program as this test runs it.
  std::string program;

 private:
  bool isUnset(const std::string& name) const {
    for (const std::string& u : unsetVariables)
      if (u == name) return true;
    return false;
  }

  static bool waitWithLimit(pid_t child, int limitSeconds, int* status) {
    for (int waited = 0; waited < limitSeconds * 100; ++waited) {
      pid_t done = waitpid(child, status, WNOHANG);
      if (done == child) return true;
      struct timespec pause = {0, 10 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
    kill(child, SIGKILL);
    waitpid(child, status, 0);
    return false;
  }
};

}  // namespace testing_program
