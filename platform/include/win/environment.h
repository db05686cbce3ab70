// The process environment as Win32 offers it: reading one variable and expanding "%NAME%" references.
#pragma once

#include <win/types.h>

// Copies the variable's value into buffer; answers its length without the terminator, or, when
// `size` is too small, the units needed including the terminator; 0 with ERROR_ENVVAR_NOT_FOUND when
// the variable is not set.
DWORD WINAPI GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);
// Replaces each "%NAME%" of a set variable by its value (unknown names stay as written) and answers
// the units of the result including the terminator. The result is written only when it fits `size`.
DWORD WINAPI ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size);
