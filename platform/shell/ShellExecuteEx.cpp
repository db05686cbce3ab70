// ShellExecuteExW with the verb "open": the address goes to the desktop's opener.
#include <unistd.h>
#include <win/error.h>
#include <win/process.h>
#include <win/shellapi.h>

#include <cerrno>
#include <new>
#include <string>

#include "kernel/handle/HandleTable.h"
#include "kernel/process/ProcessObject.h"
#include "kernel/process/WideText.h"
#include "shell/ShellExecuteSpawn.h"

using platform::kernel::handle::HandleTable;
using platform::kernel::process::ProcessObject;
using platform::kernel::process::WideText;
using platform::shell::ShellExecuteSpawn;
using platform::shell::SpawnedOpener;

namespace {

// A success code of hInstApp: any value above 32.
constexpr INT_PTR kStarted = 42;

bool isOpenVerb(LPCWSTR verb) {
  if (!verb || !verb[0]) return true;
  const char16_t* open = u"open";
  size_t i = 0;
  for (; verb[i] && open[i]; ++i) {
    char16_t c = verb[i] >= u'A' && verb[i] <= u'Z' ? static_cast<char16_t>(verb[i] + 32) : verb[i];
    if (c != open[i]) return false;
  }
  return verb[i] == 0 && open[i] == 0;
}

BOOL fail(SHELLEXECUTEINFOW* info, DWORD error, INT_PTR code) {
  info->hInstApp = reinterpret_cast<HINSTANCE>(code);
  SetLastError(error);
  return FALSE;
}

// The process handle that SEE_MASK_NOCLOSEPROCESS asks for; it takes over the pidfd.
HANDLE handleOf(const SpawnedOpener& opener) {
  auto* object = new (std::nothrow) ProcessObject(opener.pid, opener.pidfd, PROCESS_ALL_ACCESS);
  if (!object) {
    if (opener.pidfd >= 0) ::close(opener.pidfd);
    return nullptr;
  }
  HANDLE handle = HandleTable::insert(object);
  if (!handle) object->releaseReference();
  return handle;
}

}  // namespace

BOOL WINAPI ShellExecuteExW(SHELLEXECUTEINFOW* info) {
  if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->hProcess = nullptr;
  if (!isOpenVerb(info->lpVerb)) return fail(info, ERROR_NO_ASSOCIATION, SE_ERR_NOASSOC);
  std::string address = WideText::toUtf8(info->lpFile);
  if (address.empty()) return fail(info, ERROR_FILE_NOT_FOUND, SE_ERR_FNF);
  SpawnedOpener opener;
  int r = ShellExecuteSpawn::openAddress(address, WideText::toUtf8(info->lpDirectory), opener);
  if (r == ENOENT || r == ENOTDIR) return fail(info, ERROR_FILE_NOT_FOUND, SE_ERR_FNF);
  if (r == EACCES || r == EPERM) return fail(info, ERROR_ACCESS_DENIED, SE_ERR_ACCESSDENIED);
  if (r == ENOMEM) return fail(info, ERROR_NOT_ENOUGH_MEMORY, SE_ERR_OOM);
  if (r != 0) return fail(info, ERROR_GEN_FAILURE, SE_ERR_NOASSOC);
  info->hInstApp = reinterpret_cast<HINSTANCE>(kStarted);
  if (info->fMask & SEE_MASK_NOCLOSEPROCESS) {
    info->hProcess = handleOf(opener);
  } else if (opener.pidfd >= 0) {
    ::close(opener.pidfd);
  }
  return TRUE;
}
