#include "ntdll/HiveStatus.h"

#include <sqlite3.h>

#include <cerrno>

namespace ntdll {

NTSTATUS HiveStatus::fromSqlite(int resultCode) {
  switch (resultCode & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return STATUS_SUCCESS;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return STATUS_IO_TIMEOUT;
    case SQLITE_NOMEM:
      return STATUS_NO_MEMORY;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return STATUS_ACCESS_DENIED;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
      return STATUS_REGISTRY_CORRUPT;
    case SQLITE_FULL:
      return STATUS_DISK_FULL;
    case SQLITE_TOOBIG:
      return STATUS_INSUFFICIENT_RESOURCES;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
    case SQLITE_PROTOCOL:
      return STATUS_REGISTRY_IO_FAILED;
    case SQLITE_CONSTRAINT:
      return STATUS_OBJECT_NAME_COLLISION;
    default:
      return STATUS_INTERNAL_ERROR;
  }
}

NTSTATUS HiveStatus::fromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return STATUS_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR:
      return STATUS_OBJECT_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
      return STATUS_DISK_FULL;
    case ENOMEM:
      return STATUS_NO_MEMORY;
    default:
      return STATUS_REGISTRY_IO_FAILED;
  }
}

}  // namespace ntdll
