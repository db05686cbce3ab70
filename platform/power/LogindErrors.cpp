#include "power/LogindErrors.h"

#include <win/error.h>

#include <cerrno>
#include <cstring>

namespace platform::power {

namespace {

struct NamedError {
  const char* name;
  DWORD code;
};

const NamedError kNamed[] = {
    {"org.freedesktop.login1.SleepVerbNotSupported", ERROR_NOT_SUPPORTED},
    {"org.freedesktop.login1.OperationInProgress", ERROR_BUSY},
    {"org.freedesktop.login1.NoSuchSession", ERROR_NOT_FOUND},
    {"org.freedesktop.login1.NoSessionForPID", ERROR_NOT_FOUND},
    {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", ERROR_PRIVILEGE_NOT_HELD},
    {"org.freedesktop.DBus.Error.AccessDenied", ERROR_ACCESS_DENIED},
    {"org.freedesktop.DBus.Error.AuthFailed", ERROR_ACCESS_DENIED},
    {"org.freedesktop.DBus.Error.ServiceUnknown", ERROR_SERVICE_NOT_ACTIVE},
    {"org.freedesktop.DBus.Error.NameHasNoOwner", ERROR_SERVICE_NOT_ACTIVE},
    {"org.freedesktop.DBus.Error.NoServer", ERROR_SERVICE_NOT_ACTIVE},
    {"org.freedesktop.DBus.Error.Disconnected", ERROR_SERVICE_NOT_ACTIVE},
    {"org.freedesktop.DBus.Error.NoReply", ERROR_TIMEOUT},
    {"org.freedesktop.DBus.Error.Timeout", ERROR_TIMEOUT},
    {"org.freedesktop.DBus.Error.TimedOut", ERROR_TIMEOUT},
    {"org.freedesktop.DBus.Error.UnknownMethod", ERROR_NOT_SUPPORTED},
    {"org.freedesktop.DBus.Error.UnknownObject", ERROR_NOT_SUPPORTED},
    {"org.freedesktop.DBus.Error.UnknownInterface", ERROR_NOT_SUPPORTED},
    {"org.freedesktop.DBus.Error.NotSupported", ERROR_NOT_SUPPORTED},
};

DWORD fromErrno(int result) {
  switch (-result) {
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ETIMEDOUT: return ERROR_TIMEOUT;
    case EBUSY: return ERROR_BUSY;
    case EOPNOTSUPP: return ERROR_NOT_SUPPORTED;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENOENT:
    case ECONNREFUSED:
    case ECONNRESET:
    case ENOTCONN:
    case EPIPE:
    case ESHUTDOWN:
    case ECHILD:
    case EHOSTDOWN: return ERROR_SERVICE_NOT_ACTIVE;
    default: return ERROR_GEN_FAILURE;
  }
}

}  // namespace

DWORD LogindErrors::fromCall(const sd_bus_error* error, int result) {
  if (error && sd_bus_error_is_set(error) && error->name) {
    for (const NamedError& named : kNamed)
      if (std::strcmp(named.name, error->name) == 0) return named.code;
  }
  return fromErrno(result);
}

DWORD LogindErrors::fromConnect(int result) {
  DWORD code = fromErrno(result);
  return code == ERROR_GEN_FAILURE || code == ERROR_TIMEOUT ? static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE) : code;
}

bool LogindErrors::brokeConnection(int result) {
  switch (-result) {
    case ECONNRESET:
    case ENOTCONN:
    case EPIPE:
    case ESHUTDOWN:
    case ECHILD: return true;
    default: return false;
  }
}

}  // namespace platform::power
