// Library files loaded by absolute path: the dlopen side of LoadLibraryW, GetProcAddress and
// FreeLibrary. A handle is the address of the module's record; the same file loaded twice shares one
// record and is unloaded with its last reference.
#pragma once

#include <win/module.h>

namespace kernel {

// Whether `name` names a file (it holds a folder separator) rather than a built-in module.
bool namesModuleFile(LPCWSTR name);
// Loads the library file (absolute path, "\" read as "/"); null with the last error set when the file
// is missing (ERROR_MOD_NOT_FOUND) or is not a loadable module (ERROR_BAD_EXE_FORMAT).
HMODULE loadModuleFile(LPCWSTR name);
// Whether the handle stands for a loaded library file.
bool isModuleFile(HMODULE module);
// The export of that name in a loaded library file, or null with ERROR_PROC_NOT_FOUND.
FARPROC moduleFileProc(HMODULE module, LPCSTR procName);
// Drops one reference, unloading the file with the last; false with ERROR_INVALID_HANDLE when the
// handle is not a loaded library file.
bool freeModuleFile(HMODULE module);

}  // namespace kernel
