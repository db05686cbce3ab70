// Finding another running copy of the executable and waking its main window: a second start of the
// program brings the first one to the front instead of opening another window.
#include <win/crt.h>
#include <win/file.h>
#include <win/process.h>
#include <win/thread.h>
#include <win/user.h>

#include "app/win/AppBase.h"
#include "lang/Localizer.h"

namespace s::app::win {

namespace {

// The running window restores itself and comes to the front; the extra message follows on request.
constexpr UINT kActivateMessage = WM_USER + 3;
constexpr UINT kExtraMessage = WM_USER + 7;
constexpr UINT kSendTimeoutMs = 3000;

// Copies as much of `text` as fits, always terminated.
void copyText(char16_t (&path)[MAX_PATH], const char16_t* text) {
  size_t i = 0;
  for (; i + 1 < MAX_PATH && text[i]; ++i) path[i] = text[i];
  path[i] = 0;
}

// The executable of `processId`: its first module, else its image file name, else the empty text.
void processPath(DWORD processId, char16_t (&path)[MAX_PATH]) {
  path[0] = 0;
  HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (modules != INVALID_HANDLE_VALUE) {
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    if (Module32FirstW(modules, &module)) copyText(path, module.szExePath);
    CloseHandle(modules);
    return;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (!process) return;
  if (GetProcessImageFileNameW(process, path, MAX_PATH) == 0) path[0] = 0;
  CloseHandle(process);
}

// What a window search looks for, and what it found.
struct WindowSearch {
  DWORD processId;
  // Null: any non-empty title; otherwise the window's title must be a prefix of it (case ignored).
  const char16_t* productTitle;
  HWND found;
};

bool titleFits(const char16_t* title, const char16_t* productTitle) {
  if (!productTitle) return title[0] != 0;
  int length = lstrlenW(title);
  return length <= lstrlenW(productTitle) && _wcsnicmp(title, productTitle, static_cast<size_t>(length)) == 0;
}

BOOL CALLBACK checkWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  char16_t title[512];
  if (GetWindowTextW(window, title, 512) <= 0) title[0] = 0;
  if (!titleFits(title, search->productTitle)) return TRUE;
  search->found = window;
  return FALSE;
}

// Waits until the other process is idle for input, when it can be opened for that.
void waitUntilIdle(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  if (!process) return;
  WaitForInputIdle(process, INFINITE);
  CloseHandle(process);
}

void sendWakeUp(HWND window, UINT message) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG | SMTO_NOTIMEOUTIFNOTHUNG,
                      kSendTimeoutMs, &result);
}

// One search for the process's main window and, when found, the wake-up send(s).
void wakeWindow(DWORD processId, const char16_t* productTitle, bool sendExtra) {
  waitUntilIdle(processId);
  WindowSearch search{processId, productTitle, nullptr};
  EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  sendWakeUp(search.found, kActivateMessage);
  if (sendExtra) sendWakeUp(search.found, kExtraMessage);
}

}  // namespace

uint32_t AppBase::findRunningInstance() {
  char16_t own[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
  // Paths of other processes are cut to MAX_PATH - 1 units: an own path that long could equal the cut
  // path of another program, so such a path takes part in no comparison.
  if (length == 0 || length >= MAX_PATH - 1) return 0;
  HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (processes == INVALID_HANDLE_VALUE) return 0;
  DWORD self = GetCurrentProcessId();
  uint32_t found = 0;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(processes, &entry); more && !found; more = Process32NextW(processes, &entry)) {
    if (entry.th32ProcessID == 0 || entry.th32ProcessID == self) continue;
    char16_t path[MAX_PATH];
    processPath(entry.th32ProcessID, path);
    if (path[0] && _wcsicmp(path, own) == 0) found = entry.th32ProcessID;
  }
  CloseHandle(processes);
  return found;
}

void AppBase::wakeRunningInstance(uint32_t processId, bool sendExtra, bool useLocalizer) {
  if (!useLocalizer || !localizer) {
    wakeWindow(processId, nullptr, sendExtra);
    return;
  }
  // The other copy may run in any language: try the product title of every pack.
  for (uint32_t i = 0; i < localizer->packCount(); ++i) {
    s::str::strbuffer::StrBuffer* title = localizer->packAt(i)->textOf(textBase);
    wakeWindow(processId, title ? title->getText() : u"", sendExtra);
  }
}

bool AppBase::notifyRunningInstance(bool activate, bool sendExtra, bool useLocalizer) {
  uint32_t processId = findRunningInstance();
  if (processId == 0) return false;
  if (activate) wakeRunningInstance(processId, sendExtra, useLocalizer);
  return true;
}

}  // namespace s::app::win
