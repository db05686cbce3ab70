// The command line of one reg command: positional arguments and the "/x" switches, some with a value.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace reg {

class Arguments {
 public:
  // Switches are matched ignoring case; those in withValue take the next argument as their value.
  // False with the reason in error for an unknown, repeated or incomplete switch.
  bool parse(const std::vector<std::string>& args, const std::set<std::string>& flags,
             const std::set<std::string>& withValue, std::string& error);
  bool has(const std::string& name) const { return switches_.count(name) != 0; }
  const std::string& value(const std::string& name) const { return switches_.at(name); }
  const std::vector<std::string>& positional() const { return positional_; }

 private:
  std::map<std::string, std::string> switches_;
  std::vector<std::string> positional_;
};

}  // namespace reg
