// reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]: creates the key and writes a value.
#pragma once

#include <string>
#include <vector>

namespace reg {

class AddCommand {
 public:
  static int run(const std::vector<std::string>& args);
};

}  // namespace reg
