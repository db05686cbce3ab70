// Maps SQLite result codes and file-system errors to the native status a registry caller understands.
#pragma once

#include <win/ntdll.h>

namespace ntdll {

class HiveStatus {
 public:
  static NTSTATUS fromSqlite(int resultCode);
  static NTSTATUS fromErrno(int error);
};

}  // namespace ntdll
