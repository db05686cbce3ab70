// COM initialisation: a per-thread count with the thread's concurrency model, and the process's
// security settings, accepted once. No component objects exist on this platform, so nothing else
// needs setting up.
#include <win/com.h>

#include <atomic>

namespace {

struct ThreadCom {
  unsigned count = 0;
  DWORD model = 0;
};

thread_local ThreadCom threadCom;
std::atomic<bool> securitySet{false};

}  // namespace

HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit) {
  if (reserved) return E_INVALIDARG;
  DWORD model = coInit & COINIT_APARTMENTTHREADED;
  if (threadCom.count > 0) {
    if (threadCom.model != model) return RPC_E_CHANGED_MODE;
    ++threadCom.count;
    return S_FALSE;
  }
  threadCom.count = 1;
  threadCom.model = model;
  return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void WINAPI CoUninitialize() {
  if (threadCom.count > 0) --threadCom.count;
}

HRESULT WINAPI CoInitializeSecurity(PSECURITY_DESCRIPTOR, LONG, void*, void*, DWORD, DWORD, void*, DWORD, void*) {
  if (threadCom.count == 0) return CO_E_NOTINITIALIZED;
  bool expected = false;
  return securitySet.compare_exchange_strong(expected, true) ? S_OK : RPC_E_TOO_LATE;
}
