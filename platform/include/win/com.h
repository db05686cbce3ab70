// COM initialisation. The platform has no component objects of its own, so initialising COM only keeps
// the per-thread count that pairs CoInitialize with CoUninitialize, and the process-wide security
// settings are accepted once, as on the documented system.
#pragma once

#include <win/types.h>

#define S_OK static_cast<HRESULT>(0L)
#define S_FALSE static_cast<HRESULT>(1L)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057L)
#define RPC_E_CHANGED_MODE static_cast<HRESULT>(0x80010106L)
#define RPC_E_TOO_LATE static_cast<HRESULT>(0x80010119L)
#define CO_E_NOTINITIALIZED static_cast<HRESULT>(0x800401F0L)

#ifndef SUCCEEDED
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#endif

// Concurrency models of CoInitializeEx.
#define COINIT_MULTITHREADED 0x0u
#define COINIT_APARTMENTTHREADED 0x2u
#define COINIT_DISABLE_OLE1DDE 0x4u
#define COINIT_SPEED_OVER_MEMORY 0x8u

// Authentication and impersonation levels of CoInitializeSecurity.
#define RPC_C_AUTHN_LEVEL_DEFAULT 0
#define RPC_C_AUTHN_LEVEL_NONE 1
#define RPC_C_AUTHN_LEVEL_CONNECT 2
#define RPC_C_AUTHN_LEVEL_CALL 3
#define RPC_C_AUTHN_LEVEL_PKT 4
#define RPC_C_AUTHN_LEVEL_PKT_INTEGRITY 5
#define RPC_C_AUTHN_LEVEL_PKT_PRIVACY 6
#define RPC_C_IMP_LEVEL_DEFAULT 0
#define RPC_C_IMP_LEVEL_ANONYMOUS 1
#define RPC_C_IMP_LEVEL_IDENTIFY 2
#define RPC_C_IMP_LEVEL_IMPERSONATE 3
#define RPC_C_IMP_LEVEL_DELEGATE 4
#define EOAC_NONE 0x0u

typedef void* PSECURITY_DESCRIPTOR;

// S_OK for the thread's first initialisation, S_FALSE for a nested one (each needs its
// CoUninitialize), RPC_E_CHANGED_MODE when the thread was initialised with the other model (the
// thread is then not initialised again). CoInitialize is the apartment-threaded form; the reserved
// pointer must be null (E_INVALIDARG otherwise).
HRESULT WINAPI CoInitialize(LPVOID reserved);
HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit);
// Ends one successful initialisation of the calling thread; extra calls do nothing.
void WINAPI CoUninitialize();
// Accepts the process's security settings once: S_OK the first time on a thread that has initialised
// COM, RPC_E_TOO_LATE afterwards, CO_E_NOTINITIALIZED on a thread that has not.
HRESULT WINAPI CoInitializeSecurity(PSECURITY_DESCRIPTOR securityDescriptor, LONG authServiceCount,
                                    void* authServices, void* reserved1, DWORD authenticationLevel,
                                    DWORD impersonationLevel, void* authList, DWORD capabilities,
                                    void* reserved3);
