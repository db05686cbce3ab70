// The process token's Win32 functions: opening it, naming privileges and adjusting them.
#include <unistd.h>
#include <win/error.h>
#include <win/process.h>
#include <win/security.h>

#include <cstddef>
#include <new>
#include <vector>

#include "kernel/handle/HandleTable.h"
#include "kernel/process/ProcessObject.h"
#include "kernel/token/PrivilegeNames.h"
#include "kernel/token/ProcessToken.h"
#include "kernel/token/TokenObject.h"

using platform::kernel::handle::HandleTable;
using platform::kernel::process::ProcessObject;
using platform::kernel::token::AdjustResult;
using platform::kernel::token::PrivilegeChange;
using platform::kernel::token::PrivilegeNames;
using platform::kernel::token::ProcessToken;
using platform::kernel::token::TokenObject;

namespace {

// The specific token rights that the generic ones stand for.
DWORD mapTokenAccess(DWORD access) {
  if (access & (GENERIC_ALL | MAXIMUM_ALLOWED)) return TOKEN_ALL_ACCESS;
  DWORD mapped = access & ~static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE);
  if (access & GENERIC_READ) mapped |= TOKEN_QUERY | READ_CONTROL;
  if (access & GENERIC_WRITE) mapped |= TOKEN_ADJUST_PRIVILEGES | TOKEN_ADJUST_GROUPS | TOKEN_ADJUST_DEFAULT;
  if (access & GENERIC_EXECUTE) mapped |= TOKEN_IMPERSONATE;
  return mapped;
}

size_t bytesFor(size_t entries) {
  size_t bytes = offsetof(TOKEN_PRIVILEGES, Privileges) + entries * sizeof(LUID_AND_ATTRIBUTES);
  return bytes < sizeof(TOKEN_PRIVILEGES) ? sizeof(TOKEN_PRIVILEGES) : bytes;
}

// How many previous-state entries fit into a buffer of that many bytes.
size_t entriesIn(DWORD bytes) {
  size_t head = offsetof(TOKEN_PRIVILEGES, Privileges);
  if (bytes < sizeof(TOKEN_PRIVILEGES)) return 0;
  return (bytes - head) / sizeof(LUID_AND_ATTRIBUTES);
}

}  // namespace

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD desiredAccess, PHANDLE token) {
  if (!token) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *token = nullptr;
  ProcessObject* owner = ProcessObject::fromHandle(process);
  if (!owner) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  bool own = owner->pid() == ::getpid();
  bool mayQuery = (owner->access() & PROCESS_QUERY_INFORMATION) != 0;
  owner->releaseReference();
  if (!own || !mayQuery) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  auto* object = new (std::nothrow) TokenObject(mapTokenAccess(desiredAccess));
  HANDLE handle = object ? HandleTable::insert(object) : nullptr;
  if (!handle) {
    if (object) object->releaseReference();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  *token = handle;
  return TRUE;
}

BOOL WINAPI LookupPrivilegeValueW(LPCWSTR systemName, LPCWSTR name, PLUID luid) {
  if (!name || !luid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (systemName && systemName[0]) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  uint32_t id = PrivilegeNames::idOf(name);
  if (id == 0) {
    SetLastError(ERROR_NO_SUCH_PRIVILEGE);
    return FALSE;
  }
  luid->LowPart = id;
  luid->HighPart = 0;
  return TRUE;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAllPrivileges, PTOKEN_PRIVILEGES newState,
                                  DWORD bufferLength, PTOKEN_PRIVILEGES previousState, PDWORD returnLength) {
  TokenObject* object = TokenObject::fromHandle(token);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD access = object->access();
  object->releaseReference();
  DWORD needed = (access & TOKEN_ADJUST_PRIVILEGES) ? 0 : TOKEN_ADJUST_PRIVILEGES;
  if (previousState && !(access & TOKEN_QUERY)) needed |= TOKEN_QUERY;
  if (needed) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if ((!disableAllPrivileges && !newState) || (previousState && !returnLength)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<PrivilegeChange> changes;
  if (!disableAllPrivileges) {
    for (DWORD i = 0; i < newState->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& entry = newState->Privileges[i];
      // Identifiers outside the 32-bit range are never held.
      uint32_t id = entry.Luid.HighPart == 0 ? entry.Luid.LowPart : 0;
      changes.push_back(PrivilegeChange{id, entry.Attributes});
    }
  }
  AdjustResult result;
  size_t room = previousState ? entriesIn(bufferLength) : static_cast<size_t>(-1);
  if (!ProcessToken::apply(disableAllPrivileges != FALSE, changes, room, result)) {
    *returnLength = static_cast<DWORD>(bytesFor(result.previous.size()));
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (previousState) {
    previousState->PrivilegeCount = static_cast<DWORD>(result.previous.size());
    for (size_t i = 0; i < result.previous.size(); ++i) previousState->Privileges[i] = result.previous[i];
    *returnLength = static_cast<DWORD>(bytesFor(result.previous.size()));
  }
  SetLastError(result.notAllAssigned ? ERROR_NOT_ALL_ASSIGNED : ERROR_SUCCESS);
  return TRUE;
}
