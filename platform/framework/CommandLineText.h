// Joins an argument vector into one command-line text, quoting each argument so that the platform's
// usual splitting (blanks separate, double quotes group, backslashes escape quotes) gives it back.
#pragma once

#include <string>
#include <vector>

namespace platform::framework {

class CommandLineText {
 public:
  // The arguments from `first` on, joined by single blanks.
  static std::u16string join(const std::vector<std::u16string>& arguments, size_t first);
  static std::u16string quote(const std::u16string& argument);
};

}  // namespace platform::framework
