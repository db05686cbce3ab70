// Resources of the executable: data files that the build compiles into the program (language packs and
// the like), found by name and type. Names and types are either integers (MAKEINTRESOURCEW) or strings
// compared ignoring case; a string "#130" stands for the integer 130. A null module is the executable.
// The data is read-only and lives as long as the process.
#pragma once

#include <win/types.h>

struct HRSRC__;
typedef HRSRC__* HRSRC;
typedef HANDLE HGLOBAL;

#ifndef MAKEINTRESOURCEW
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#endif
#ifndef MAKEINTRESOURCE
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#endif
#ifndef IS_INTRESOURCE
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)
#endif

// The standard type of raw application data.
#define RT_RCDATA MAKEINTRESOURCEW(10)

// The resource of that name and type; null with ERROR_RESOURCE_TYPE_NOT_FOUND when the module has no
// resource of the type, ERROR_RESOURCE_NAME_NOT_FOUND when it has the type but not the name, and
// ERROR_RESOURCE_DATA_NOT_FOUND for a module without resources.
HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// The handle of the resource's data; null with ERROR_INVALID_HANDLE when the resource is not one that
// FindResourceW returned.
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
// The size of the resource's data in bytes; 0 with ERROR_INVALID_HANDLE for an unknown resource.
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
// The address of the data behind a handle from LoadResource (null for null). The data must not be
// written to.
LPVOID WINAPI LockResource(HGLOBAL data);
// Nothing to release: the data stays mapped for the life of the process. Answers FALSE.
BOOL WINAPI FreeResource(HGLOBAL data);
