// The tool's conversation with its user: result lines, error lines and yes/no questions.
#pragma once

#include <win/ntdll.h>

#include <string>

namespace reg {

class Console {
 public:
  static void line(const std::string& text);
  static int fail(const std::string& text);  // writes to standard error, answers exit status 1
  // The failure of a native call: not-found statuses read as the registry tool's "unable to find".
  static int failStatus(NTSTATUS status);
  // Asks on standard output; true only for an answer of "y" or "yes".
  static bool confirm(const std::string& question);
  static int cancelled();
  static int done();
};

}  // namespace reg
