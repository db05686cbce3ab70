// reg import FILE: applies a registry script, after reading all of it without error.
#pragma once

#include <string>
#include <vector>

namespace reg {

class ImportCommand {
 public:
  static int run(const std::vector<std::string>& args);
};

}  // namespace reg
