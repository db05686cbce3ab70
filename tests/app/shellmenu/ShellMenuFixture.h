// A scratch world for the context-menu tests: a fresh registry hive and system folder, named through
// VESPER_REGISTRY and VESPER_SYSTEM_DIR before the first registry call, with the bridge's call log,
// and readers of what reached the hive through the `reg` tool built beside the tests.
#pragma once

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "shellmenu/IconTexts.h"

namespace testing_shellmenu {

// One value as `reg query` shows it.
struct RegValue {
  std::string name;
  std::string type;
  std::string data;
  bool operator==(const RegValue&) const = default;
};

// Every key below a root with its values in stored order, keyed by the full key name.
using RegTree = std::map<std::string, std::vector<RegValue>>;

inline std::string buildFolder() {
  char self[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  return std::filesystem::path(std::string(self, n > 0 ? static_cast<size_t>(n) : 0)).parent_path().parent_path();
}

inline std::string ownExecutable() {
  char self[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  return std::string(self, n > 0 ? static_cast<size_t>(n) : 0);
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

class ShellMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-shellmenu-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    systemDir = folder + "/system";
    ASSERT_EQ(setenv("VESPER_REGISTRY", (folder + "/hive.db").c_str(), 1), 0);
    ASSERT_EQ(setenv("VESPER_SYSTEM_DIR", systemDir.c_str(), 1), 0);
    ASSERT_EQ(setenv("VESPER_BRIDGE_LOG", bridgeLog().c_str(), 1), 0);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    s::shell::server01::forgetIconTexts();
  }

  void TearDown() override {
    s::shell::server01::forgetIconTexts();
    unsetenv("VESPER_BRIDGE_LOG");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::string bridgeLog() const { return folder + "/bridge.log"; }
  std::vector<std::string> bridgeCalls() const { return linesOf(readFile(bridgeLog())); }
  std::string sharedFolder() const { return systemDir + "/MenuPorter"; }
  static std::string pristineBridge() { return buildFolder() + "/pristine/MenuPorter118.dll"; }

  // Runs the tool with `arguments` (already quoted for the shell) and answers its standard output.
  static std::string runReg(const std::string& arguments, int* status = nullptr) {
    std::string command = "'" + buildFolder() + "/bin/reg' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    if (!pipe) return out;
    std::array<char, 4096> chunk;
    size_t got;
    while ((got = fread(chunk.data(), 1, chunk.size(), pipe)) > 0) out.append(chunk.data(), got);
    int rc = pclose(pipe);
    if (status) *status = rc;
    return out;
  }

  // Every key at and below HKCU\<path>, with its values, as the tool lists them.
  static RegTree query(const std::string& path) {
    RegTree tree;
    std::string current;
    for (const std::string& line : linesOf(runReg("query 'HKCU\\" + path + "' /s"))) {
      if (line.rfind("HKEY_", 0) == 0) {
        current = line;
        tree[current];
      } else if (line.rfind("    ", 0) == 0 && !current.empty()) {
        std::string rest = line.substr(4);
        size_t a = rest.find("    ");
        size_t b = a == std::string::npos ? a : rest.find("    ", a + 4);
        RegValue value{rest.substr(0, a), "", ""};
        if (b != std::string::npos) {
          value.type = rest.substr(a + 4, b - a - 4);
          value.data = rest.substr(b + 4);
        } else if (a != std::string::npos) {
          value.type = rest.substr(a + 4);
        }
        tree[current].push_back(value);
      }
    }
    return tree;
  }

  // The value's data as the tool shows it, or "<missing>".
  static std::string valueOf(const RegTree& tree, const std::string& path, const std::string& name) {
    auto key = tree.find("HKEY_CURRENT_USER\\" + path);
    if (key == tree.end()) return "<missing>";
    for (const RegValue& v : key->second)
      if (v.name == name) return v.data;
    return "<missing>";
  }

  // The names of the direct sub-keys of HKCU\<path>, in the tool's order.
  static std::vector<std::string> subKeysOf(const RegTree& tree, const std::string& path) {
    std::string prefix = "HKEY_CURRENT_USER\\" + path + "\\";
    std::vector<std::string> names;
    for (const auto& [key, values] : tree)
      if (key.rfind(prefix, 0) == 0 && key.find('\\', prefix.size()) == std::string::npos)
        names.push_back(key.substr(prefix.size()));
    return names;
  }

  std::string folder;
  std::string systemDir;
};

}  // namespace testing_shellmenu
