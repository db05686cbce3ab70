// The executable's file name without folder and extension, which names an application that has no
// name of its own.
#pragma once

#include <string>

namespace platform::framework {

class ExecutableName {
 public:
  // From the running executable's path; from `fallbackPath` (argv[0]) when that cannot be read.
  static std::u16string current(const std::u16string& fallbackPath);
  // The file name of a path without its last extension ("/a/b/vesper.exe" -> "vesper"); a name that
  // is only an extension (".hidden") is kept whole.
  static std::u16string stemOf(const std::u16string& path);
};

}  // namespace platform::framework
