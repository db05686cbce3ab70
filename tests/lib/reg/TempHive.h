// A fresh registry file per test: VESPER_REGISTRY points at a new temporary folder's hive before the
// first registry call, and the `reg` tool built beside the tests reads the same hive.
#pragma once

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace testing_reg {

class TempHive : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-reg-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    hive = folder + "/hive.db";
    ASSERT_EQ(setenv("VESPER_REGISTRY", hive.c_str(), 1), 0);
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  // build/bin/reg, found from the test program's own place (build/tests).
  static std::string regTool() {
    char self[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "reg";
    return (std::filesystem::path(std::string(self, static_cast<size_t>(n))).parent_path() / ".." / "bin" / "reg")
        .string();
  }

  // Runs the tool with `arguments` (already quoted for the shell) and answers its standard output.
  static std::string runReg(const std::string& arguments, int* status = nullptr) {
    std::string command = "'" + regTool() + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    if (!pipe) return out;
    std::array<char, 512> chunk;
    size_t got;
    while ((got = fread(chunk.data(), 1, chunk.size(), pipe)) > 0) out.append(chunk.data(), got);
    int rc = pclose(pipe);
    if (status) *status = rc;
    return out;
  }

  std::string folder;
  std::string hive;
};

}  // namespace testing_reg
