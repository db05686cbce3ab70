// Thread hooks. Each thread keeps its own chain, newest first; a hook is removed by its handle on the
// thread that installed it.
#include <win/user.h>

#include "user/Hooks.h"

#include <win/error.h>
#include <win/sync.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

struct Hook {
  HHOOK handle;
  int kind;
  HOOKPROC procedure;
};

std::vector<Hook>& chain() {
  static thread_local std::vector<Hook> hooks;
  return hooks;
}

HHOOK newHandle() {
  static std::atomic<uintptr_t> next{0x4000};
  return reinterpret_cast<HHOOK>(next.fetch_add(1));
}

// Calls the hooks of a kind that come after the given position in the chain.
LRESULT callFrom(size_t start, int kind, int code, WPARAM wParam, LPARAM lParam) {
  // Copy so that a hook may add or remove hooks while it runs.
  std::vector<Hook> hooks = chain();
  for (size_t i = start; i < hooks.size(); ++i)
    if (hooks[i].kind == kind) return hooks[i].procedure(code, wParam, lParam);
  return 0;
}

}  // namespace

namespace platform::user {

LRESULT Hooks::callCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (chain().empty()) return 0;
  return callFrom(0, WH_CBT, code, wParam, lParam);
}

}  // namespace platform::user

HHOOK WINAPI SetWindowsHookExW(int kind, HOOKPROC procedure, HINSTANCE, DWORD threadId) {
  if (kind != WH_CBT || !procedure || (threadId != 0 && threadId != GetCurrentThreadId())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HHOOK handle = newHandle();
  chain().insert(chain().begin(), Hook{handle, kind, procedure});
  return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = chain();
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == hook; });
  if (it == hooks.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  hooks.erase(it);
  return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  const auto& hooks = chain();
  for (size_t i = 0; i < hooks.size(); ++i)
    if (hooks[i].handle == hook) return callFrom(i + 1, hooks[i].kind, code, wParam, lParam);
  return 0;
}
