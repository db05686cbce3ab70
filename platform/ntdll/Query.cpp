#include "ntdll/Query.h"

#include "ntdll/HiveStatus.h"

namespace ntdll {

Query::Query(Hive::Session& session, Sql id)
    : statement_(session.statement(id)), status_(statement_ ? STATUS_SUCCESS : STATUS_INTERNAL_ERROR) {}

Query::~Query() {
  if (!statement_) return;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

Query& Query::bind(int index, int64_t value) {
  if (statement_) sqlite3_bind_int64(statement_, index, value);
  return *this;
}

Query& Query::bind(int index, const std::string& text) {
  if (statement_) sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
  return *this;
}

Query& Query::bindBlob(int index, const void* data, size_t size) {
  if (!statement_) return *this;
  // A value of no bytes is stored as an empty blob, never as NULL.
  if (size == 0)
    sqlite3_bind_zeroblob(statement_, index, 0);
  else
    sqlite3_bind_blob64(statement_, index, data, size, SQLITE_STATIC);
  return *this;
}

Query& Query::bindNull(int index) {
  if (statement_) sqlite3_bind_null(statement_, index);
  return *this;
}

bool Query::next() {
  if (!statement_) return false;
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  status_ = rc == SQLITE_DONE ? STATUS_SUCCESS : HiveStatus::fromSqlite(rc);
  return false;
}

NTSTATUS Query::run() {
  while (next()) {
  }
  return status_;
}

bool Query::isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

int64_t Query::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string_view Query::text(int column) const {
  const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return chars ? std::string_view(chars, sqlite3_column_bytes(statement_, column)) : std::string_view();
}

const void* Query::blob(int column) const { return sqlite3_column_blob(statement_, column); }

size_t Query::size(int column) const { return static_cast<size_t>(sqlite3_column_bytes(statement_, column)); }

}  // namespace ntdll
