#include "power/SystemBus.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform::power {

namespace {

constexpr const char* kStandardAddress = "unix:path=/run/dbus/system_bus_socket";
// logind answers at once; a request that takes longer than this is reported as timed out.
constexpr uint64_t kCallTimeoutUsec = 25ull * 1000 * 1000;

struct ThreadConnection {
  sd_bus* bus = nullptr;
  pid_t owner = 0;
  std::string address;

  ~ThreadConnection() { close(); }

  void close() {
    // A connection inherited over fork belongs to the parent: the child leaves it alone (its
    // descriptor closes on exec) instead of shutting down the parent's connection.
    if (bus && owner == ::getpid()) sd_bus_flush_close_unref(bus);
    bus = nullptr;
  }
};

thread_local ThreadConnection current;

std::string addressNow() {
  const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
  return address && *address ? address : kStandardAddress;
}

int open(const std::string& address, sd_bus** out) {
  sd_bus* bus = nullptr;
  int r = sd_bus_new(&bus);
  if (r < 0) return r;
  if ((r = sd_bus_set_address(bus, address.c_str())) < 0 || (r = sd_bus_set_bus_client(bus, 1)) < 0 ||
      (r = sd_bus_set_method_call_timeout(bus, kCallTimeoutUsec)) < 0 || (r = sd_bus_start(bus)) < 0) {
    sd_bus_unref(bus);
    return r;
  }
  *out = bus;
  return 0;
}

}  // namespace

sd_bus* SystemBus::connection(int* failure) {
  std::string address = addressNow();
  if (current.bus && (current.owner != ::getpid() || current.address != address || sd_bus_is_open(current.bus) <= 0))
    current.close();
  if (!current.bus) {
    sd_bus* bus = nullptr;
    int r = open(address, &bus);
    if (r < 0) {
      if (failure) *failure = r;
      return nullptr;
    }
    current.bus = bus;
    current.owner = ::getpid();
    current.address = address;
  }
  return current.bus;
}

void SystemBus::drop() { current.close(); }

}  // namespace platform::power
