// The calling thread's connection to the system D-Bus, at the address DBUS_SYSTEM_BUS_ADDRESS names
// (else the standard socket). Each thread has its own connection, made on first use and again when
// the address changes or the connection broke; a connection made before a fork is never used by
// the child, which connects anew.
#pragma once

#include <systemd/sd-bus.h>

namespace platform::power {

class SystemBus {
 public:
  // The thread's open connection, or null with the errno-style negative code in *failure.
  static sd_bus* connection(int* failure);
  // Forgets the thread's connection after a failure, so that the next request connects again.
  static void drop();
};

}  // namespace platform::power
