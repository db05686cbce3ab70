// The native value services: writing, reading, enumerating and deleting the values of a key. Values
// keep their type and bytes exactly as written, whatever their size.
#include <win/ntdll.h>

#include <cstring>
#include <memory>

#include "ntdll/Hive.h"
#include "ntdll/KeyHandles.h"
#include "ntdll/KeyStore.h"
#include "ntdll/Query.h"
#include "ntdll/RegistryName.h"
#include "ntdll/Transaction.h"
#include "ntdll/Utf16.h"
#include "ntdll/ValueInfo.h"

using ntdll::Hive;
using ntdll::KeyHandles;
using ntdll::KeyStore;
using ntdll::Query;
using ntdll::RegistryName;
using ntdll::Sql;
using ntdll::Transaction;
using ntdll::ValueRecord;

namespace {

// Reads the value's row; the key's absence gives STATUS_KEY_DELETED, the value's STATUS_OBJECT_NAME_NOT_FOUND.
NTSTATUS lookUp(Query& query, int64_t keyId, const RegistryName& name, ValueRecord& value) {
  query.bind(1, keyId).bind(2, name.folded);
  if (!query.next()) return NT_SUCCESS(query.status()) ? STATUS_KEY_DELETED : query.status();
  if (query.isNull(0)) return STATUS_OBJECT_NAME_NOT_FOUND;
  value.type = static_cast<ULONG>(query.integer(0));
  value.data = query.blob(1);
  value.size = query.size(1);
  std::string_view stored = query.text(2);
  value.name = ntdll::Utf16::fromUtf8(stored.data(), stored.size());
  value.id = query.integer(3);
  return STATUS_SUCCESS;
}

bool sameValue(const ValueRecord& value, ULONG type, const void* data, ULONG size) {
  return value.type == type && value.size == size && (size == 0 || std::memcmp(value.data, data, size) == 0);
}

}  // namespace

NTSTATUS NTAPI NtSetValueKey(HANDLE keyHandle, PUNICODE_STRING valueName, ULONG /*titleIndex*/, ULONG type,
                             PVOID data, ULONG dataSize) {
  RegistryName name;
  NTSTATUS status = RegistryName::valueName(valueName, name);
  if (!NT_SUCCESS(status)) return status;
  if (dataSize > 0 && !data) return STATUS_ACCESS_VIOLATION;
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t keyId = 0;
  status = KeyHandles::instance().keyOf(keyHandle, session.generation(), KEY_SET_VALUE, keyId);
  if (!NT_SUCCESS(status)) return status;
  // Rewriting a value with what it already holds leaves the hive as it is, so it needs no write.
  {
    Query current(session, Sql::ValueLookup);
    ValueRecord value;
    status = lookUp(current, keyId, name, value);
    if (status == STATUS_KEY_DELETED) return status;
    if (NT_SUCCESS(status) && sameValue(value, type, data, dataSize)) return STATUS_SUCCESS;
  }
  Transaction write(session, Transaction::Kind::Write);
  if (!NT_SUCCESS(write.status())) return write.status();
  int64_t existing = 0;
  {
    Query current(session, Sql::ValueLookup);
    ValueRecord value;
    status = lookUp(current, keyId, name, value);
    existing = value.id;
  }
  if (NT_SUCCESS(status)) {
    Query update(session, Sql::UpdateValue);
    update.bind(1, existing).bind(2, static_cast<int64_t>(type)).bindBlob(3, data, dataSize);
    status = update.run();
  } else if (status == STATUS_OBJECT_NAME_NOT_FOUND) {
    Query insert(session, Sql::InsertValue);
    insert.bind(1, keyId).bind(2, name.text).bind(3, name.folded).bind(4, static_cast<int64_t>(type));
    insert.bindBlob(5, data, dataSize);
    status = insert.run();
  }
  if (NT_SUCCESS(status)) status = KeyStore(session).touch(keyId);
  return write.finish(status);
}

NTSTATUS NTAPI NtQueryValueKey(HANDLE keyHandle, PUNICODE_STRING valueName, KEY_VALUE_INFORMATION_CLASS infoClass,
                               PVOID keyValueInformation, ULONG length, PULONG resultLength) {
  RegistryName name;
  NTSTATUS status = RegistryName::valueName(valueName, name);
  if (!NT_SUCCESS(status)) return status;
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t keyId = 0;
  status = KeyHandles::instance().keyOf(keyHandle, session.generation(), KEY_QUERY_VALUE, keyId);
  if (!NT_SUCCESS(status)) return status;
  // One statement reads the key and the value together, so the answer is one consistent state.
  Query query(session, Sql::ValueLookup);
  ValueRecord value;
  status = lookUp(query, keyId, name, value);
  if (!NT_SUCCESS(status)) return status;
  std::unique_ptr<ntdll::InfoImage> image;
  status = ntdll::ValueInfo::build(value, infoClass, image);
  if (!NT_SUCCESS(status)) return status;
  return image->deliver(keyValueInformation, length, resultLength);
}

NTSTATUS NTAPI NtEnumerateValueKey(HANDLE keyHandle, ULONG index, KEY_VALUE_INFORMATION_CLASS infoClass,
                                   PVOID keyValueInformation, ULONG length, PULONG resultLength) {
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t keyId = 0;
  NTSTATUS status = KeyHandles::instance().keyOf(keyHandle, session.generation(), KEY_QUERY_VALUE, keyId);
  if (!NT_SUCCESS(status)) return status;
  Transaction read(session, Transaction::Kind::Read);
  if (!NT_SUCCESS(read.status())) return read.status();
  status = KeyStore(session).exists(keyId);
  std::unique_ptr<ntdll::InfoImage> image;
  if (NT_SUCCESS(status)) {
    Query query(session, Sql::ValueAt);
    query.bind(1, keyId).bind(2, static_cast<int64_t>(index));
    if (query.next()) {
      ValueRecord value;
      std::string_view stored = query.text(0);
      value.name = ntdll::Utf16::fromUtf8(stored.data(), stored.size());
      value.type = static_cast<ULONG>(query.integer(1));
      value.data = query.blob(2);
      value.size = query.size(2);
      status = ntdll::ValueInfo::build(value, infoClass, image);
    } else {
      status = NT_SUCCESS(query.status()) ? STATUS_NO_MORE_ENTRIES : query.status();
    }
  }
  status = read.finish(status);
  if (status != STATUS_SUCCESS) return status;
  return image->deliver(keyValueInformation, length, resultLength);
}

NTSTATUS NTAPI NtDeleteValueKey(HANDLE keyHandle, PUNICODE_STRING valueName) {
  RegistryName name;
  NTSTATUS status = RegistryName::valueName(valueName, name);
  if (!NT_SUCCESS(status)) return status;
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t keyId = 0;
  status = KeyHandles::instance().keyOf(keyHandle, session.generation(), KEY_SET_VALUE, keyId);
  if (!NT_SUCCESS(status)) return status;
  Transaction write(session, Transaction::Kind::Write);
  if (!NT_SUCCESS(write.status())) return write.status();
  KeyStore store(session);
  status = store.exists(keyId);
  if (NT_SUCCESS(status)) {
    Query remove(session, Sql::DeleteValue);
    remove.bind(1, keyId).bind(2, name.folded);
    status = remove.run();
    if (NT_SUCCESS(status) && sqlite3_changes(session.db()) == 0) status = STATUS_OBJECT_NAME_NOT_FOUND;
  }
  if (NT_SUCCESS(status)) status = store.touch(keyId);
  return write.finish(status);
}
