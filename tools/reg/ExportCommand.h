// reg export KEY FILE [/y]: writes the key and everything below it as a registry script.
#pragma once

#include <string>
#include <vector>

namespace reg {

class ExportCommand {
 public:
  static int run(const std::vector<std::string>& args);
};

}  // namespace reg
