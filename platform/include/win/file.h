// Files and folders with the Win32 calls the library uses: opening, reading, writing and sizing a
// file, its attributes, making a folder, and the executable's own file name.
//
// How the Win32 semantics are met on Linux:
// - A path is the POSIX path in UTF-16; "\" is accepted as a separator and read as "/".
// - File handles live in the same handle table as thread handles, so CloseHandle closes either.
// - Sharing modes and security attributes are accepted and not enforced; opening a folder as a file
//   fails with ERROR_ACCESS_DENIED, as it does without FILE_FLAG_BACKUP_SEMANTICS.
// - Overlapped input and output is not offered: a non-null OVERLAPPED fails with
//   ERROR_INVALID_PARAMETER.
// - GetModuleFileNameW answers the real path of the running executable (/proc/self/exe).
#pragma once

#include <win/types.h>
#include <win/thread.h>

// Access rights of CreateFileW (the registry header defines the same generic rights).
#ifndef GENERIC_READ
#define GENERIC_READ 0x80000000L
#endif
#ifndef GENERIC_WRITE
#define GENERIC_WRITE 0x40000000L
#endif

// Sharing modes (accepted, not enforced).
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u

// Creation dispositions.
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u

// File attributes as GetFileAttributesW reports them; the flags of CreateFileW are accepted and
// have no effect.
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

// The classic path length limit; longer paths work too.
#define MAX_PATH 260

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED;

// Opens or creates the file; INVALID_HANDLE_VALUE with the last error set on failure. CREATE_ALWAYS
// and OPEN_ALWAYS set ERROR_ALREADY_EXISTS when the file was there before (and succeed).
HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES security, DWORD creationDisposition, DWORD flagsAndAttributes,
                          HANDLE templateFile);

// Reads up to `count` bytes at the file position; *bytesRead is 0 at the end of the file (TRUE).
BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD bytesRead, LPOVERLAPPED overlapped);
// Writes all `count` bytes at the file position unless an error stops it; *bytesWritten tells how many.
BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
// The size of the file in bytes.
BOOL WINAPI GetFileSizeEx(HANDLE file, PLARGE_INTEGER size);
// Cuts (or extends) the file at its current position.
BOOL WINAPI SetEndOfFile(HANDLE file);

// The attributes of a file or folder, or INVALID_FILE_ATTRIBUTES with the last error set
// (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND ...) when there is none.
DWORD WINAPI GetFileAttributesW(LPCWSTR fileName);
// Makes one folder; its parent must exist. ERROR_ALREADY_EXISTS when the name is taken.
BOOL WINAPI CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES security);

// The full path of the executable when `module` is null (or the program's own module handle).
// Returns the units copied without the terminator. A buffer that is too small receives as much as
// fits, terminated, and the call returns `size` with ERROR_INSUFFICIENT_BUFFER; 0 on failure.
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// Flags of MoveFileExW. Moves that wait for a restart are not offered (ERROR_INVALID_PARAMETER).
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_DELAY_UNTIL_REBOOT 0x00000004u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

// Moves (renames) a file or folder. An existing destination is replaced only with
// MOVEFILE_REPLACE_EXISTING (else ERROR_ALREADY_EXISTS), and never while it is a module loaded by some
// process (ERROR_ACCESS_DENIED). Across file systems a file is copied and the source deleted when
// MOVEFILE_COPY_ALLOWED is given (else ERROR_NOT_SAME_DEVICE); MOVEFILE_WRITE_THROUGH returns only once
// the result is on the disk.
BOOL WINAPI MoveFileExW(LPCWSTR existingFileName, LPCWSTR newFileName, DWORD flags);
// Deletes a file. A folder fails with ERROR_ACCESS_DENIED, and so does a file that some process of
// this user has loaded as a module: on Linux it could be unlinked, but Windows keeps a loaded module
// in place and callers rely on that.
BOOL WINAPI DeleteFileW(LPCWSTR fileName);
