#include "power/LogindPowerBackend.h"

#include <systemd/sd-bus.h>
#include <unistd.h>
#include <win/error.h>

#include <cstdlib>

#include "power/LogindErrors.h"
#include "power/SystemBus.h"

namespace platform::power {

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";

// Frees an sd-bus error and message at the end of a call.
struct CallState {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  ~CallState() {
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
  }
};

// The outcome of a failed call; a broken connection is forgotten so the next request reconnects.
DWORD failureOf(const CallState& call, int result) {
  if (LogindErrors::brokeConnection(result)) SystemBus::drop();
  return LogindErrors::fromCall(&call.error, result);
}

DWORD callWithFlag(sd_bus* bus, const char* method) {
  CallState call;
  int r = sd_bus_call_method(bus, kService, kManagerPath, kManager, method, &call.error, &call.reply, "b", 0);
  return r < 0 ? failureOf(call, r) : static_cast<DWORD>(ERROR_SUCCESS);
}

DWORD sessionOfProcess(sd_bus* bus, std::string& id) {
  CallState call;
  int r = sd_bus_call_method(bus, kService, kManagerPath, kManager, "GetSessionByPID", &call.error, &call.reply,
                             "u", static_cast<uint32_t>(::getpid()));
  if (r < 0) return failureOf(call, r);
  const char* path = nullptr;
  if (sd_bus_message_read(call.reply, "o", &path) < 0 || !path) return ERROR_GEN_FAILURE;
  CallState property;
  char* value = nullptr;
  r = sd_bus_get_property_string(bus, kService, path, kSession, "Id", &property.error, &value);
  if (r < 0) return failureOf(property, r);
  id = value ? value : "";
  std::free(value);
  return id.empty() ? static_cast<DWORD>(ERROR_NOT_FOUND) : static_cast<DWORD>(ERROR_SUCCESS);
}

}  // namespace

DWORD LogindPowerBackend::ownSession(std::string& id) {
  const char* named = std::getenv("XDG_SESSION_ID");
  if (named && *named) {
    id = named;
    return ERROR_SUCCESS;
  }
  int failure = 0;
  sd_bus* bus = SystemBus::connection(&failure);
  if (!bus) return LogindErrors::fromConnect(failure);
  return sessionOfProcess(bus, id);
}

DWORD LogindPowerBackend::request(PowerAction action) {
  std::string session;
  if (action == PowerAction::LogOff) {
    DWORD found = ownSession(session);
    if (found != ERROR_SUCCESS) return found;
  }
  int failure = 0;
  sd_bus* bus = SystemBus::connection(&failure);
  if (!bus) return LogindErrors::fromConnect(failure);
  if (action != PowerAction::LogOff) return callWithFlag(bus, methodNameOf(action));
  CallState call;
  int r = sd_bus_call_method(bus, kService, kManagerPath, kManager, "TerminateSession", &call.error, &call.reply,
                             "s", session.c_str());
  return r < 0 ? failureOf(call, r) : static_cast<DWORD>(ERROR_SUCCESS);
}

}  // namespace platform::power
