#include "ntdll/NtdllModule.h"

#include <win/ntdll.h>

namespace ntdll {

namespace {

// Casting through void (*)() is the one conversion between function types that is always allowed.
template <typename F>
FARPROC exported(F* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

const kernel::BuiltinExport kExports[] = {
    {"NtClose", exported(&NtClose)},
    {"NtCreateKey", exported(&NtCreateKey)},
    {"NtDeleteKey", exported(&NtDeleteKey)},
    {"NtDeleteValueKey", exported(&NtDeleteValueKey)},
    {"NtEnumerateKey", exported(&NtEnumerateKey)},
    {"NtEnumerateValueKey", exported(&NtEnumerateValueKey)},
    {"NtFlushKey", exported(&NtFlushKey)},
    {"NtOpenKey", exported(&NtOpenKey)},
    {"NtOpenProcessToken", exported(&NtOpenProcessToken)},
    {"NtQueryInformationToken", exported(&NtQueryInformationToken)},
    {"NtQueryKey", exported(&NtQueryKey)},
    {"NtQueryValueKey", exported(&NtQueryValueKey)},
    {"NtRenameKey", exported(&NtRenameKey)},
    {"NtSetValueKey", exported(&NtSetValueKey)},
    {"RtlAllocateHeap", exported(&RtlAllocateHeap)},
    {"RtlConvertSidToUnicodeString", exported(&RtlConvertSidToUnicodeString)},
    {"RtlFreeHeap", exported(&RtlFreeHeap)},
    {"RtlFreeUnicodeString", exported(&RtlFreeUnicodeString)},
    {"RtlGetProcessHeap", exported(&RtlGetProcessHeap)},
    {"RtlInitUnicodeString", exported(&RtlInitUnicodeString)},
    {"RtlLengthSid", exported(&RtlLengthSid)},
    {"RtlValidSid", exported(&RtlValidSid)},
};

#define NT_MESSAGE(status, text) {static_cast<DWORD>(status), u"" text u"\r\n"}

const kernel::MessageText kMessages[] = {
    NT_MESSAGE(STATUS_SUCCESS, "The operation completed successfully."),
    NT_MESSAGE(STATUS_BUFFER_OVERFLOW, "{Buffer Overflow}\r\nThe data was too large to fit into the specified buffer."),
    NT_MESSAGE(STATUS_NO_MORE_ENTRIES, "{No More Entries}\r\nNo more entries are available from an enumeration operation."),
    NT_MESSAGE(STATUS_UNSUCCESSFUL, "{Operation Failed}\r\nThe requested operation was unsuccessful."),
    NT_MESSAGE(STATUS_NOT_IMPLEMENTED, "{Not Implemented}\r\nThe requested operation is not implemented."),
    NT_MESSAGE(STATUS_INVALID_INFO_CLASS,
               "{Invalid Parameter}\r\nThe specified information class is not a valid information class for the specified object."),
    NT_MESSAGE(STATUS_ACCESS_VIOLATION, "An argument points to memory that cannot be read or written."),
    NT_MESSAGE(STATUS_INVALID_HANDLE, "An invalid HANDLE was specified."),
    NT_MESSAGE(STATUS_INVALID_PARAMETER, "An invalid parameter was passed to a service or function."),
    NT_MESSAGE(STATUS_NO_MEMORY, "{Not Enough Memory}\r\nNot enough memory is available to complete the operation."),
    NT_MESSAGE(STATUS_ACCESS_DENIED,
               "{Access Denied}\r\nA process has requested access to an object, but has not been granted those access rights."),
    NT_MESSAGE(STATUS_BUFFER_TOO_SMALL,
               "{Buffer Too Small}\r\nThe buffer is too small to contain the entry. No information has been written to the buffer."),
    NT_MESSAGE(STATUS_OBJECT_TYPE_MISMATCH,
               "{Wrong Type}\r\nThe object given is not of the type the requested operation needs."),
    NT_MESSAGE(STATUS_OBJECT_NAME_INVALID, "Object Name invalid."),
    NT_MESSAGE(STATUS_OBJECT_NAME_NOT_FOUND, "Object Name not found."),
    NT_MESSAGE(STATUS_OBJECT_NAME_COLLISION, "Object Name already exists."),
    NT_MESSAGE(STATUS_OBJECT_PATH_INVALID, "Object Path Component was not a directory object."),
    NT_MESSAGE(STATUS_OBJECT_PATH_NOT_FOUND, "{Path Not Found}\r\nThe path of the object does not exist."),
    NT_MESSAGE(STATUS_OBJECT_PATH_SYNTAX_BAD, "Object Path Component syntax is invalid."),
    NT_MESSAGE(STATUS_DISK_FULL, "{Disk Full}\r\nThe disk is full, so the data could not be written."),
    NT_MESSAGE(STATUS_INSUFFICIENT_RESOURCES, "Insufficient system resources exist to complete the API."),
    NT_MESSAGE(STATUS_IO_TIMEOUT,
               "{Device Timeout}\r\nThe specified I/O operation was not completed before the time-out period expired."),
    NT_MESSAGE(STATUS_NOT_SUPPORTED, "The request is not supported."),
    NT_MESSAGE(STATUS_INTERNAL_ERROR, "An internal error occurred."),
    NT_MESSAGE(STATUS_INVALID_SID, "The SID structure is not valid."),
    NT_MESSAGE(STATUS_CANNOT_DELETE, "An attempt has been made to remove an object that cannot be deleted."),
    NT_MESSAGE(STATUS_REGISTRY_CORRUPT,
               "{Registry Corrupt}\r\nThe file that holds the registry data is corrupt or is not a registry hive."),
    NT_MESSAGE(STATUS_REGISTRY_IO_FAILED,
               "An I/O operation initiated by the Registry failed unrecoverably. The Registry could not read in, or "
               "write out, or flush, one of the files that contain the Registry."),
    NT_MESSAGE(STATUS_KEY_DELETED, "Illegal operation attempted on a registry key which has already been deleted."),
    NT_MESSAGE(STATUS_CHILD_MUST_BE_VOLATILE, "An attempt was made to create a stable subkey under a volatile parent key."),
};

}  // namespace

const kernel::BuiltinModule& ntdllModule() {
  static const kernel::BuiltinModule module = {u"ntdll", kExports, sizeof kExports / sizeof kExports[0], kMessages,
                                               sizeof kMessages / sizeof kMessages[0]};
  return module;
}

}  // namespace ntdll
