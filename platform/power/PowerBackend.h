// Where power requests go: one backend carries them out. The choice follows the environment at each
// request: VESPER_POWER_LOG set (even empty) selects the log backend, which never falls back to the
// real system; otherwise systemd-logind is asked.
#pragma once

#include <win/types.h>

#include <memory>

#include "power/PowerAction.h"

namespace platform::power {

class PowerBackend {
 public:
  virtual ~PowerBackend() = default;
  // Carries out the request: ERROR_SUCCESS, or the Win32 error code of the failure.
  virtual DWORD request(PowerAction action) = 0;

  // The backend the environment names now.
  static std::unique_ptr<PowerBackend> select();
};

}  // namespace platform::power
