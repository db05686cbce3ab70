// Where the current user's hive lives: the file VESPER_REGISTRY names, or registry.db in the user's
// configuration folder ($XDG_CONFIG_HOME/vesper, else ~/.config/vesper).
#pragma once

#include <string>

namespace ntdll {

class HiveLocation {
 public:
  // The raw setting as the environment holds it now; null when unset. Cheap, so every call may check it.
  static const char* setting();
  // The file for that setting. A malformed setting (empty, or naming a folder) is reported on standard
  // error once and the default is used. isDefault tells whether the configuration folder is meant.
  static std::string resolve(const char* setting, bool& isDefault);
};

}  // namespace ntdll
