// reg query KEY [/v NAME | /ve] [/s]: a key's values and sub-keys as the registry tool lays them out.
#pragma once

#include <string>
#include <vector>

namespace reg {

class QueryCommand {
 public:
  static int run(const std::vector<std::string>& args);
};

}  // namespace reg
