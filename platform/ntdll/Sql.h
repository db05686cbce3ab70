// The hive's SQL: the schema and every statement the native services run, by identifier, so that each
// connection prepares each statement once.
#pragma once

namespace ntdll {

enum class Sql : int {
  Begin,
  BeginImmediate,
  Commit,
  Rollback,
  FindChild,
  KeyRow,
  InsertKey,
  TouchKey,
  HasChild,
  DeleteKey,
  DeleteKeyValues,
  RenameKey,
  ChildAt,
  ChildNames,
  ValueLookup,
  ValueAt,
  ValueSizes,
  InsertValue,
  UpdateValue,
  DeleteValue,
  Count
};

class SqlText {
 public:
  static const char* of(Sql id);
  // The statements that create an empty hive's tables.
  static const char* schema();
  // The value of the hive_info row "format" that marks a database as a hive.
  static const char* formatMarker();
  static constexpr int kVersion = 1;
};

}  // namespace ntdll
