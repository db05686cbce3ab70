// Processes: tool-help snapshots of the running processes and of one process's modules, process
// handles with query access, the image file name of a process, and the calling process's identity.
//
// How the Win32 semantics are met on Linux:
// - Processes are the entries of /proc. A process snapshot lists the idle process (id 0, named
//   "[System Process]") first, as the documented system does, then every process in id order.
// - A module snapshot lists the executable first (the target of /proc/<pid>/exe), then the other
//   files mapped executable into the process. A process whose executable the user may not read
//   (another user's, a kernel thread) gives no module snapshot, so it never matches a path search.
// - OpenProcess grants query access to processes of the same user (any process for root) and
//   full access on the same terms; the handle keeps naming the same process even if its id is
//   reused later. A process handle is signalled once the process has ended (WaitForSingleObject).
// - Paths are POSIX paths in UTF-16, as GetModuleFileNameW reports them.
#pragma once

#include <win/types.h>
#include <win/file.h>

// What CreateToolhelp32Snapshot includes. Heap and thread lists are accepted and stay empty.
#define TH32CS_SNAPHEAPLIST 0x00000001u
#define TH32CS_SNAPPROCESS 0x00000002u
#define TH32CS_SNAPTHREAD 0x00000004u
#define TH32CS_SNAPMODULE 0x00000008u
#define TH32CS_SNAPMODULE32 0x00000010u
#define TH32CS_SNAPALL (TH32CS_SNAPHEAPLIST | TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD | TH32CS_SNAPMODULE)
#define TH32CS_INHERIT 0x80000000u

#define MAX_MODULE_NAME32 255

typedef struct tagPROCESSENTRY32W {
  DWORD dwSize;  // the caller sets sizeof(PROCESSENTRY32W)
  DWORD cntUsage;
  DWORD th32ProcessID;
  ULONG_PTR th32DefaultHeapID;
  DWORD th32ModuleID;
  DWORD cntThreads;
  DWORD th32ParentProcessID;
  LONG pcPriClassBase;
  DWORD dwFlags;
  WCHAR szExeFile[MAX_PATH];  // the executable's file name without its folder
} PROCESSENTRY32W, *PPROCESSENTRY32W, *LPPROCESSENTRY32W;

typedef struct tagMODULEENTRY32W {
  DWORD dwSize;  // the caller sets sizeof(MODULEENTRY32W)
  DWORD th32ModuleID;
  DWORD th32ProcessID;
  DWORD GlblcntUsage;
  DWORD ProccntUsage;
  BYTE* modBaseAddr;
  DWORD modBaseSize;
  HMODULE hModule;
  WCHAR szModule[MAX_MODULE_NAME32 + 1];  // file name
  WCHAR szExePath[MAX_PATH];              // full path, cut to MAX_PATH - 1 characters
} MODULEENTRY32W, *PMODULEENTRY32W, *LPMODULEENTRY32W;

// Takes a snapshot; processId names the process for module lists (0: the calling process).
// INVALID_HANDLE_VALUE on failure: ERROR_INVALID_PARAMETER for a process that does not exist,
// ERROR_ACCESS_DENIED for one the user may not inspect, ERROR_PARTIAL_COPY for one without an
// executable file (kernel threads). Close the snapshot with CloseHandle.
HANDLE WINAPI CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
// The first / next entry of a snapshot. FALSE with ERROR_NO_MORE_FILES past the last entry,
// ERROR_BAD_LENGTH when dwSize is not the structure's size, ERROR_INVALID_HANDLE for a bad handle.
BOOL WINAPI Process32FirstW(HANDLE snapshot, LPPROCESSENTRY32W entry);
BOOL WINAPI Process32NextW(HANDLE snapshot, LPPROCESSENTRY32W entry);
BOOL WINAPI Module32FirstW(HANDLE snapshot, LPMODULEENTRY32W entry);
BOOL WINAPI Module32NextW(HANDLE snapshot, LPMODULEENTRY32W entry);

// Access rights of process handles.
#define PROCESS_TERMINATE 0x0001u
#define PROCESS_CREATE_THREAD 0x0002u
#define PROCESS_VM_OPERATION 0x0008u
#define PROCESS_VM_READ 0x0010u
#define PROCESS_VM_WRITE 0x0020u
#define PROCESS_DUP_HANDLE 0x0040u
#define PROCESS_CREATE_PROCESS 0x0080u
#define PROCESS_SET_QUOTA 0x0100u
#define PROCESS_SET_INFORMATION 0x0200u
#define PROCESS_QUERY_INFORMATION 0x0400u
#define PROCESS_SUSPEND_RESUME 0x0800u
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000u
#define PROCESS_ALL_ACCESS 0x001FFFFFu

// Opens the process with the given rights; null on failure: ERROR_INVALID_PARAMETER when there is
// no such process (or the id is 0), ERROR_ACCESS_DENIED when it belongs to another user.
HANDLE WINAPI OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId);
// The pseudo handle of the calling process ((HANDLE)-1); it needs no closing.
HANDLE WINAPI GetCurrentProcess();
DWORD WINAPI GetCurrentProcessId();
// The process's id, or 0 with ERROR_INVALID_HANDLE.
DWORD WINAPI GetProcessId(HANDLE process);

// Writes the full path of the process's executable; answers its length without the terminator, or 0
// with the last error set (ERROR_ACCESS_DENIED without query access or for another user's process,
// ERROR_INSUFFICIENT_BUFFER when it does not fit, ERROR_INVALID_HANDLE once the process has ended).
DWORD WINAPI GetProcessImageFileNameW(HANDLE process, LPWSTR imageFileName, DWORD size);

// Waits until the process is ready for input. Windows of other processes answer sent messages as soon
// as their thread runs its message loop, so a live process counts as idle at once: 0, or WAIT_FAILED
// with ERROR_INVALID_HANDLE for a handle that names no process.
DWORD WINAPI WaitForInputIdle(HANDLE process, DWORD timeoutMs);
