// FormatMessageW over the platform's message tables: the texts of the native status codes (the table of
// the "ntdll.dll" module) and of the system error codes, and LocalFree for the buffers it allocates.
#pragma once

#include <win/types.h>

#include <cstdarg>

typedef HANDLE HLOCAL;

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

// Language identifiers, shared with other headers that may define them too.
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#endif
#ifndef LANG_ENGLISH
#define LANG_ENGLISH 0x09
#endif
#ifndef SUBLANG_NEUTRAL
#define SUBLANG_NEUTRAL 0x00
#endif
#ifndef SUBLANG_DEFAULT
#define SUBLANG_DEFAULT 0x01
#endif
#ifndef SUBLANG_SYS_DEFAULT
#define SUBLANG_SYS_DEFAULT 0x02
#endif
#ifndef MAKELANGID
#define MAKELANGID(primary, sub) (static_cast<WORD>((static_cast<WORD>(sub) << 10) | static_cast<WORD>(primary)))
#endif
#ifndef LANG_USER_DEFAULT
#define LANG_USER_DEFAULT MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)
#endif
#ifndef LANG_SYSTEM_DEFAULT
#define LANG_SYSTEM_DEFAULT MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT)
#endif

// FormatMessageW's own failure when a table has no text for the number.
#ifndef ERROR_MR_MID_NOT_FOUND
#define ERROR_MR_MID_NOT_FOUND 317L
#endif

#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

// Writes the message text for messageId into buffer (or, with FORMAT_MESSAGE_ALLOCATE_BUFFER, into a
// block from LocalAlloc stored at *(LPWSTR*)buffer) and answers its length in units without the
// terminator; 0 with the last error set when there is no such message or it does not fit.
DWORD WINAPI FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                            DWORD size, va_list* arguments);

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
// Null on success, the block itself on failure.
HLOCAL WINAPI LocalFree(HLOCAL block);
