// One native call's transaction on the hive: a read transaction sees one consistent state, a write
// transaction takes the write lock at its start (BEGIN IMMEDIATE). Not committed means rolled back.
#pragma once

#include <win/ntdll.h>

#include "ntdll/Hive.h"

namespace ntdll {

class Transaction {
 public:
  enum class Kind { Read, Write };
  Transaction(Hive::Session& session, Kind kind);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  NTSTATUS status() const { return status_; }
  // Commits when everything so far succeeded (outcome), otherwise rolls back; answers the final status.
  NTSTATUS finish(NTSTATUS outcome);

 private:
  Hive::Session& session_;
  bool active_ = false;
  NTSTATUS status_;
};

}  // namespace ntdll
