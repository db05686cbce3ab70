// One run of a prepared hive statement: binds its parameters, steps it, reads its columns, and leaves it
// reset for the next run when it goes out of scope.
#pragma once

#include <sqlite3.h>
#include <win/ntdll.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "ntdll/Hive.h"

namespace ntdll {

class Query {
 public:
  Query(Hive::Session& session, Sql id);
  ~Query();
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  Query& bind(int index, int64_t value);
  Query& bind(int index, const std::string& text);
  Query& bindBlob(int index, const void* data, size_t size);
  Query& bindNull(int index);

  // True for a row; false at the end or on failure, which status() then tells.
  bool next();
  // Runs a statement that returns no rows.
  NTSTATUS run();
  NTSTATUS status() const { return status_; }

  bool isNull(int column) const;
  int64_t integer(int column) const;
  std::string_view text(int column) const;
  const void* blob(int column) const;
  size_t size(int column) const;

 private:
  sqlite3_stmt* statement_;
  NTSTATUS status_;
};

}  // namespace ntdll
