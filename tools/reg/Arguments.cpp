#include "reg/Arguments.h"

namespace reg {

bool Arguments::parse(const std::vector<std::string>& args, const std::set<std::string>& flags,
                      const std::set<std::string>& withValue, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // "/tmp/x.reg" is a file name, not a switch: switches are one word.
    bool isSwitch = arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') &&
                    arg.find_first_of("/\\.", 1) == std::string::npos;
    if (!isSwitch) {
      positional_.push_back(arg);
      continue;
    }
    std::string name = arg.substr(1);
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (!flags.count(name) && !withValue.count(name)) {
      error = "ERROR: Invalid syntax: unknown switch \"" + arg + "\".";
      return false;
    }
    if (switches_.count(name)) {
      error = "ERROR: Invalid syntax: \"" + arg + "\" is given twice.";
      return false;
    }
    if (withValue.count(name)) {
      if (i + 1 >= args.size()) {
        error = "ERROR: Invalid syntax: \"" + arg + "\" needs a value.";
        return false;
      }
      switches_[name] = args[++i];
    } else {
      switches_[name] = "";
    }
  }
  return true;
}

}  // namespace reg
