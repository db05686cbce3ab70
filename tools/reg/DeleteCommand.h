// reg delete KEY [/v NAME | /ve | /va] [/f]: removes a value, all values, or the key with its sub-keys.
#pragma once

#include <string>
#include <vector>

namespace reg {

class DeleteCommand {
 public:
  static int run(const std::vector<std::string>& args);
};

}  // namespace reg
