#include "power/PowerBackend.h"

#include <cstdlib>

#include "power/LogPowerBackend.h"
#include "power/LogindPowerBackend.h"

namespace platform::power {

std::unique_ptr<PowerBackend> PowerBackend::select() {
  if (const char* log = std::getenv("VESPER_POWER_LOG")) return std::make_unique<LogPowerBackend>(log);
  return std::make_unique<LogindPowerBackend>();
}

}  // namespace platform::power
