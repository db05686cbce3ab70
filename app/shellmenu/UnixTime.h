// The system time in whole seconds since 1970-01-01 UTC, as the bridge's lock and "LastUpdate" hold it.
#pragma once

#include <cstdint>

namespace s::shell::server01 {

uint32_t unixTimeNow();

}  // namespace s::shell::server01
