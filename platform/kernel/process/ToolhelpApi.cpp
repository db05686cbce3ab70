// Tool-help snapshots of the running processes and of the modules of one process, read from /proc.
#include <unistd.h>
#include <win/error.h>
#include <win/process.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string>

#include "kernel/handle/HandleTable.h"
#include "kernel/process/ProcFs.h"
#include "kernel/process/Snapshot.h"
#include "kernel/process/WideText.h"

using platform::kernel::handle::HandleTable;
using platform::kernel::process::MappedFile;
using platform::kernel::process::ProcessStatus;
using platform::kernel::process::ProcFs;
using platform::kernel::process::Snapshot;
using platform::kernel::process::WideText;

namespace {

std::string fileNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The documented priority classes, from the nice value: idle, normal, high.
LONG priorityClassOf(int nice) { return nice > 0 ? 4 : nice < 0 ? 13 : 8; }

PROCESSENTRY32W processEntry(DWORD id, DWORD parent, DWORD threads, LONG priority, const std::string& name) {
  PROCESSENTRY32W entry;
  std::memset(&entry, 0, sizeof entry);
  entry.dwSize = sizeof entry;
  entry.th32ProcessID = id;
  entry.th32ParentProcessID = parent;
  entry.cntThreads = threads;
  entry.pcPriClassBase = priority;
  WideText::copyTo(WideText::fromUtf8(name), entry.szExeFile, MAX_PATH);
  return entry;
}

// Every running process, after the idle process that the documented system lists first.
void addProcesses(Snapshot& snapshot) {
  snapshot.processes.push_back(processEntry(0, 0, 0, 0, "[System Process]"));
  for (pid_t pid : ProcFs::processIds()) {
    ProcessStatus status;
    if (!ProcFs::readStatus(pid, status)) continue;  // ended while listing
    std::string path;
    std::string name = ProcFs::executable(pid, path) == 0 ? fileNameOf(path) : status.command;
    snapshot.processes.push_back(processEntry(static_cast<DWORD>(pid), static_cast<DWORD>(status.parent),
                                              status.threads, priorityClassOf(status.nice), name));
  }
}

MODULEENTRY32W moduleEntry(pid_t pid, const MappedFile& file) {
  MODULEENTRY32W entry;
  std::memset(&entry, 0, sizeof entry);
  entry.dwSize = sizeof entry;
  entry.th32ModuleID = 1;
  entry.th32ProcessID = static_cast<DWORD>(pid);
  entry.GlblcntUsage = 0xFFFF;
  entry.ProccntUsage = 0xFFFF;
  entry.modBaseAddr = reinterpret_cast<BYTE*>(file.base);
  uintptr_t span = file.end - file.base;
  entry.modBaseSize = span > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(span);
  entry.hModule = reinterpret_cast<HMODULE>(file.base);
  WideText::copyTo(WideText::fromUtf8(fileNameOf(file.path)), entry.szModule, MAX_MODULE_NAME32 + 1);
  WideText::copyTo(WideText::fromUtf8(file.path), entry.szExePath, MAX_PATH);
  return entry;
}

// The executable first, then the other files mapped executable. Answers the error code, or 0.
DWORD addModules(Snapshot& snapshot, pid_t pid) {
  std::string exe;
  int failure = ProcFs::executable(pid, exe);
  if (failure != 0) {
    // A process that is gone (or never was) has no /proc entry; a kernel thread has one but no file.
    uid_t owner = 0;
    if (!ProcFs::owner(pid, owner)) return ERROR_INVALID_PARAMETER;
    return failure == EACCES || failure == EPERM ? ERROR_ACCESS_DENIED : ERROR_PARTIAL_COPY;
  }
  std::vector<MappedFile> mapped = ProcFs::executableMappings(pid);
  MappedFile main{exe, 0, 0};
  for (const MappedFile& file : mapped)
    if (file.path == exe) main = file;
  snapshot.modules.push_back(moduleEntry(pid, main));
  for (const MappedFile& file : mapped)
    if (file.path != exe) snapshot.modules.push_back(moduleEntry(pid, file));
  return 0;
}

// Copies a snapshot entry to the caller's record after checking the record's declared size.
template <typename Entry, typename Next>
BOOL readEntry(HANDLE handle, Entry* out, bool restart, Next next) {
  Snapshot* snapshot = Snapshot::fromHandle(handle);
  if (!snapshot) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  BOOL result = FALSE;
  Entry entry;
  if (!out || out->dwSize != sizeof(Entry)) {
    SetLastError(ERROR_BAD_LENGTH);
  } else if (!(snapshot->*next)(restart, entry)) {
    SetLastError(ERROR_NO_MORE_FILES);
  } else {
    *out = entry;
    result = TRUE;
  }
  snapshot->releaseReference();
  return result;
}

}  // namespace

HANDLE WINAPI CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
  auto* snapshot = new (std::nothrow) Snapshot();
  if (!snapshot) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  if (flags & TH32CS_SNAPPROCESS) addProcesses(*snapshot);
  if (flags & (TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32)) {
    pid_t pid = processId == 0 ? ::getpid() : static_cast<pid_t>(processId);
    DWORD failure = processId > 0x7FFFFFFFu ? static_cast<DWORD>(ERROR_INVALID_PARAMETER) : addModules(*snapshot, pid);
    if (failure != 0) {
      snapshot->releaseReference();
      SetLastError(failure);
      return INVALID_HANDLE_VALUE;
    }
  }
  HANDLE handle = HandleTable::insert(snapshot);
  if (!handle) {
    snapshot->releaseReference();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  return handle;
}

BOOL WINAPI Process32FirstW(HANDLE snapshot, LPPROCESSENTRY32W entry) {
  return readEntry(snapshot, entry, true, &Snapshot::nextProcess);
}

BOOL WINAPI Process32NextW(HANDLE snapshot, LPPROCESSENTRY32W entry) {
  return readEntry(snapshot, entry, false, &Snapshot::nextProcess);
}

BOOL WINAPI Module32FirstW(HANDLE snapshot, LPMODULEENTRY32W entry) {
  return readEntry(snapshot, entry, true, &Snapshot::nextModule);
}

BOOL WINAPI Module32NextW(HANDLE snapshot, LPMODULEENTRY32W entry) {
  return readEntry(snapshot, entry, false, &Snapshot::nextModule);
}
