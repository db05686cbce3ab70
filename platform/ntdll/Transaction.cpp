#include "ntdll/Transaction.h"

#include "ntdll/Query.h"

namespace ntdll {

Transaction::Transaction(Hive::Session& session, Kind kind) : session_(session), status_(session.status()) {
  if (!NT_SUCCESS(status_)) return;
  status_ = Query(session_, kind == Kind::Write ? Sql::BeginImmediate : Sql::Begin).run();
  active_ = NT_SUCCESS(status_);
}

Transaction::~Transaction() {
  if (active_) Query(session_, Sql::Rollback).run();
}

NTSTATUS Transaction::finish(NTSTATUS outcome) {
  if (!active_) return NT_SUCCESS(status_) ? outcome : status_;
  active_ = false;
  if (NT_SUCCESS(outcome)) {
    NTSTATUS committed = Query(session_, Sql::Commit).run();
    if (NT_SUCCESS(committed)) return outcome;
    Query(session_, Sql::Rollback).run();
    return committed;
  }
  Query(session_, Sql::Rollback).run();
  return outcome;
}

}  // namespace ntdll
