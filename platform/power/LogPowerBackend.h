// The power backend for tests and dry runs: each request becomes one line appended to a file, the
// logind method name first, and nothing else happens. A file that cannot be written fails the request.
#pragma once

#include <string>

#include "power/PowerBackend.h"

namespace platform::power {

class LogPowerBackend : public PowerBackend {
 public:
  explicit LogPowerBackend(std::string path) : path_(std::move(path)) {}
  DWORD request(PowerAction action) override;

  // The line written for a request, without its line end.
  static std::string lineFor(PowerAction action);

 private:
  std::string path_;
};

}  // namespace platform::power
