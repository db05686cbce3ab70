// The command-line reader filled by the application framework's parameter hook: each argument
// arrives already split, with whether it was a flag and its text after the flag character, and is
// stored in the normalised form that the program's switch table compares against.
#pragma once

#include <cstdint>

#include "base/str/strarray/StrArray.h"
#include "process/commandline/ICommandLine.h"

namespace s::process::commandline::win {

class CommandLine final : public ICommandLine {
  S_CLASS_NAME(u"s_process_commandline_win_CommandLine")
  S_POOLED(CommandLine)

 public:
  CommandLine();
  ~CommandLine() override;
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // No arguments.
  void reset() override;

  uint32_t getCount() const override { return arguments.size(); }
  const char16_t* getArgument(uint32_t index) const override;

  // The framework's hook: `parameter` is the argument without its flag character when `flag` is
  // true. A flag is stored as "-" + parameter, anything else unchanged.
  void addParameter(const char16_t* parameter, bool flag);
  // One argument exactly as it stood on the command line; "-" or "/" in front makes it a flag.
  void addRawArgument(const char16_t* argument);

 private:
  s::str::strarray::StrArray arguments;
};

}  // namespace s::process::commandline::win
