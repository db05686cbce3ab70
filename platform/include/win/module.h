// Modules: LoadLibraryW, GetProcAddress, FreeLibrary and GetModuleHandleW. The platform's built-in
// modules (today "ntdll.dll") are found by name, ignoring case, with or without ".dll"; their exports
// are the platform's own functions. A name with a folder separator is a library file loaded from
// that absolute path (dlopen); a file that is missing or not a loadable module fails cleanly.
#pragma once

#include <win/types.h>

typedef INT_PTR(WINAPI* FARPROC)();

// Loads (or adds a reference to) a module; null with ERROR_MOD_NOT_FOUND when there is none of that
// name, ERROR_BAD_EXE_FORMAT for a file that is not a loadable module.
HMODULE WINAPI LoadLibraryW(LPCWSTR fileName);
// The module if it is loaded, without adding a reference; null when it is not.
HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName);
// The export of that name; null with ERROR_PROC_NOT_FOUND when the module has none.
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
// Drops one reference; the module is unloaded with its last reference.
BOOL WINAPI FreeLibrary(HMODULE module);
