// Files for the module tests: the stand-in bridge that the build keeps (a real loadable module
// exporting DllRegisterServer) and a scratch folder to copy it into.
#pragma once

#include <limits.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace testing_module {

// build/pristine/MenuPorter118.dll, found from the test program's place (build/tests).
inline std::string pristineModule() {
  char self[PATH_MAX] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  return (std::filesystem::path(std::string(self, n > 0 ? static_cast<size_t>(n) : 0)).parent_path().parent_path() /
          "pristine" / "MenuPorter118.dll")
      .string();
}

inline std::u16string wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace testing_module
