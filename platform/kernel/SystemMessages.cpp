// The message table of the system's error codes, for FormatMessageW with FORMAT_MESSAGE_FROM_SYSTEM.
#include <win/error.h>

#include "kernel/BuiltinModule.h"

namespace kernel {

namespace {

#define SYSTEM_MESSAGE(code, text) {static_cast<DWORD>(code), u"" text u"\r\n"}

const MessageText kMessages[] = {
    SYSTEM_MESSAGE(ERROR_SUCCESS, "The operation completed successfully."),
    SYSTEM_MESSAGE(ERROR_INVALID_FUNCTION, "Incorrect function."),
    SYSTEM_MESSAGE(ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."),
    SYSTEM_MESSAGE(ERROR_PATH_NOT_FOUND, "The system cannot find the path specified."),
    SYSTEM_MESSAGE(ERROR_ACCESS_DENIED, "Access is denied."),
    SYSTEM_MESSAGE(ERROR_INVALID_HANDLE, "The handle is invalid."),
    SYSTEM_MESSAGE(ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command."),
    SYSTEM_MESSAGE(ERROR_INVALID_DATA, "The data is invalid."),
    SYSTEM_MESSAGE(ERROR_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."),
    SYSTEM_MESSAGE(ERROR_NOT_SUPPORTED, "The request is not supported."),
    SYSTEM_MESSAGE(ERROR_INVALID_PARAMETER, "The parameter is incorrect."),
    SYSTEM_MESSAGE(ERROR_DISK_FULL, "There is not enough space on the disk."),
    SYSTEM_MESSAGE(ERROR_CALL_NOT_IMPLEMENTED, "This function is not supported on this system."),
    SYSTEM_MESSAGE(ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small."),
    SYSTEM_MESSAGE(ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect."),
    SYSTEM_MESSAGE(ERROR_MOD_NOT_FOUND, "The specified module could not be found."),
    SYSTEM_MESSAGE(ERROR_PROC_NOT_FOUND, "The specified procedure could not be found."),
    SYSTEM_MESSAGE(ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists."),
    SYSTEM_MESSAGE(ERROR_MORE_DATA, "More data is available."),
    SYSTEM_MESSAGE(ERROR_NO_MORE_ITEMS, "No more data is available."),
    SYSTEM_MESSAGE(ERROR_INVALID_FLAGS, "Invalid flags."),
    SYSTEM_MESSAGE(ERROR_BADDB, "The configuration registry database is corrupt."),
    SYSTEM_MESSAGE(ERROR_BADKEY, "The configuration registry key is invalid."),
    SYSTEM_MESSAGE(ERROR_CANTOPEN, "The configuration registry key could not be opened."),
    SYSTEM_MESSAGE(ERROR_CANTREAD, "The configuration registry key could not be read."),
    SYSTEM_MESSAGE(ERROR_CANTWRITE, "The configuration registry key could not be written."),
    SYSTEM_MESSAGE(ERROR_REGISTRY_CORRUPT,
                   "The file that holds the registry data is corrupt or is not a registry hive."),
    SYSTEM_MESSAGE(ERROR_REGISTRY_IO_FAILED,
                   "An I/O operation initiated by the registry failed unrecoverably. The registry could not read in, "
                   "or write out, or flush, one of the files that contain the registry."),
    SYSTEM_MESSAGE(ERROR_KEY_DELETED, "Illegal operation attempted on a registry key that has been marked for deletion."),
    SYSTEM_MESSAGE(ERROR_NOT_FOUND, "Element not found."),
    SYSTEM_MESSAGE(ERROR_CANCELLED, "The operation was canceled by the user."),
    SYSTEM_MESSAGE(ERROR_TIMEOUT, "This operation returned because the timeout period expired."),
    SYSTEM_MESSAGE(ERROR_RESOURCE_TYPE_NOT_FOUND, "The specified resource type cannot be found in the image file."),
    SYSTEM_MESSAGE(ERROR_RESOURCE_LANG_NOT_FOUND,
                   "The specified resource language ID cannot be found in the image file."),
};

}  // namespace

const BuiltinModule& systemMessages() {
  static const BuiltinModule table = {u"system", nullptr, 0, kMessages, sizeof kMessages / sizeof kMessages[0]};
  return table;
}

}  // namespace kernel
