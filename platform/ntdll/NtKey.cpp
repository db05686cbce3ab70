// The native key services: creating, opening, deleting, renaming, querying and enumerating keys. Each
// call is one transaction on the hive; a handle whose key was deleted answers STATUS_KEY_DELETED.
#include <win/ntdll.h>

#include <memory>

#include "ntdll/Hive.h"
#include "ntdll/KeyAccess.h"
#include "ntdll/KeyHandles.h"
#include "ntdll/KeyInfo.h"
#include "ntdll/KeyStore.h"
#include "ntdll/RegistryName.h"
#include "ntdll/Transaction.h"
#include "ntdll/Utf16.h"

using ntdll::Hive;
using ntdll::KeyAccess;
using ntdll::KeyHandles;
using ntdll::KeyRecord;
using ntdll::KeyStore;
using ntdll::RegistryName;
using ntdll::Transaction;

namespace {

// Where an object name starts: the key of its root directory, or \Registry for an absolute name.
NTSTATUS startOf(Hive::Session& session, POBJECT_ATTRIBUTES attributes, ACCESS_MASK needed, int64_t& start) {
  if (!attributes->RootDirectory) {
    start = Hive::kRegistryKey;
    return STATUS_SUCCESS;
  }
  return KeyHandles::instance().keyOf(attributes->RootDirectory, session.generation(), needed, start);
}

HANDLE newKeyHandle(Hive::Session& session, int64_t keyId, ACCESS_MASK desired) {
  KeyHandles::Entry entry;
  entry.kind = KeyHandles::Kind::Key;
  entry.keyId = keyId;
  entry.access = KeyAccess::grant(desired);
  entry.generation = session.generation();
  return KeyHandles::instance().add(entry);
}

NTSTATUS parseName(POBJECT_ATTRIBUTES attributes, std::vector<RegistryName>& segments) {
  return RegistryName::path(attributes->ObjectName, attributes->RootDirectory != nullptr, segments);
}

}  // namespace

NTSTATUS NTAPI NtOpenKey(PHANDLE keyHandle, ACCESS_MASK desiredAccess, POBJECT_ATTRIBUTES attributes) {
  if (!keyHandle || !attributes) return STATUS_ACCESS_VIOLATION;
  *keyHandle = nullptr;
  std::vector<RegistryName> segments;
  NTSTATUS status = parseName(attributes, segments);
  if (!NT_SUCCESS(status)) return status;
  Hive::Session session;
  int64_t start = 0;
  if (NT_SUCCESS(session.status())) {
    status = startOf(session, attributes, 0, start);
    if (!NT_SUCCESS(status)) return status;
  }
  Transaction read(session, Transaction::Kind::Read);
  if (!NT_SUCCESS(read.status())) return read.status();
  KeyStore store(session);
  int64_t id = 0;
  status = store.exists(start);
  if (NT_SUCCESS(status)) status = store.resolve(start, segments, segments.size(), id);
  status = read.finish(status);
  if (!NT_SUCCESS(status)) return status;
  *keyHandle = newKeyHandle(session, id, desiredAccess);
  return *keyHandle ? STATUS_SUCCESS : STATUS_INSUFFICIENT_RESOURCES;
}

NTSTATUS NTAPI NtCreateKey(PHANDLE keyHandle, ACCESS_MASK desiredAccess, POBJECT_ATTRIBUTES attributes,
                           ULONG /*titleIndex*/, PUNICODE_STRING keyClass, ULONG createOptions,
                           PULONG disposition) {
  if (!keyHandle || !attributes) return STATUS_ACCESS_VIOLATION;
  *keyHandle = nullptr;
  constexpr ULONG kKnownOptions =
      REG_OPTION_VOLATILE | REG_OPTION_CREATE_LINK | REG_OPTION_BACKUP_RESTORE | REG_OPTION_OPEN_LINK;
  if (createOptions & ~kKnownOptions) return STATUS_INVALID_PARAMETER;
  // Every key of this registry persists; volatile keys and symbolic links are not offered.
  if (createOptions & (REG_OPTION_VOLATILE | REG_OPTION_CREATE_LINK)) return STATUS_NOT_SUPPORTED;
  std::string classBytes;
  if (keyClass) {
    if (!RegistryName::wellFormed(keyClass)) return STATUS_INVALID_PARAMETER;
    classBytes.assign(reinterpret_cast<const char*>(keyClass->Buffer), keyClass->Length);
  }
  std::vector<RegistryName> segments;
  NTSTATUS status = parseName(attributes, segments);
  if (!NT_SUCCESS(status)) return status;

  Hive::Session session;
  int64_t start = 0;
  if (NT_SUCCESS(session.status())) {
    status = startOf(session, attributes, 0, start);
    if (!NT_SUCCESS(status)) return status;
  }
  KeyStore store(session);
  int64_t id = 0;
  size_t missingAt = 0;
  // Most calls find the key already there, which needs no write lock.
  {
    Transaction read(session, Transaction::Kind::Read);
    if (!NT_SUCCESS(read.status())) return read.status();
    status = store.exists(start);
    if (NT_SUCCESS(status)) status = store.resolve(start, segments, segments.size(), id, &missingAt);
    status = read.finish(status);
  }
  if (NT_SUCCESS(status)) {
    if (disposition) *disposition = REG_OPENED_EXISTING_KEY;
    *keyHandle = newKeyHandle(session, id, desiredAccess);
    return *keyHandle ? STATUS_SUCCESS : STATUS_INSUFFICIENT_RESOURCES;
  }
  if (status != STATUS_OBJECT_NAME_NOT_FOUND || missingAt + 1 != segments.size()) return status;

  Transaction write(session, Transaction::Kind::Write);
  if (!NT_SUCCESS(write.status())) return write.status();
  ULONG outcome = REG_OPENED_EXISTING_KEY;
  int64_t parent = 0;
  status = store.exists(start);
  if (NT_SUCCESS(status)) status = store.resolve(start, segments, segments.size() - 1, parent);
  if (NT_SUCCESS(status)) {
    status = store.findChild(parent, segments.back().folded, id);
    if (status == STATUS_OBJECT_NAME_NOT_FOUND) {
      bool mayCreate = !store.refusesChildren(parent);
      if (mayCreate && attributes->RootDirectory && segments.size() == 1)
        mayCreate = NT_SUCCESS(
            KeyHandles::instance().keyOf(attributes->RootDirectory, session.generation(), KEY_CREATE_SUB_KEY, start));
      status = mayCreate ? store.createChild(parent, segments.back(), classBytes, id) : STATUS_ACCESS_DENIED;
      outcome = REG_CREATED_NEW_KEY;
    }
  }
  status = write.finish(status);
  if (!NT_SUCCESS(status)) return status;
  if (disposition) *disposition = outcome;
  *keyHandle = newKeyHandle(session, id, desiredAccess);
  return *keyHandle ? STATUS_SUCCESS : STATUS_INSUFFICIENT_RESOURCES;
}

NTSTATUS NTAPI NtFlushKey(HANDLE keyHandle) {
  // Every transaction is committed with a full sync already; flushing only confirms the key is there.
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t id = 0;
  NTSTATUS status = KeyHandles::instance().keyOf(keyHandle, session.generation(), 0, id);
  if (!NT_SUCCESS(status)) return status;
  Transaction read(session, Transaction::Kind::Read);
  KeyStore store(session);
  return read.finish(NT_SUCCESS(read.status()) ? store.exists(id) : read.status());
}

NTSTATUS NTAPI NtDeleteKey(HANDLE keyHandle) {
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t id = 0;
  NTSTATUS status = KeyHandles::instance().keyOf(keyHandle, session.generation(), DELETE, id);
  if (!NT_SUCCESS(status)) return status;
  Transaction write(session, Transaction::Kind::Write);
  if (!NT_SUCCESS(write.status())) return write.status();
  KeyStore store(session);
  KeyRecord key;
  status = store.record(id, key);
  if (NT_SUCCESS(status) && store.isProtected(key)) status = STATUS_CANNOT_DELETE;
  bool children = false;
  if (NT_SUCCESS(status)) status = store.hasChildren(id, children);
  if (NT_SUCCESS(status) && children) status = STATUS_CANNOT_DELETE;
  if (NT_SUCCESS(status)) status = store.remove(id);
  if (NT_SUCCESS(status)) status = store.touch(key.parent);
  return write.finish(status);
}

NTSTATUS NTAPI NtRenameKey(HANDLE keyHandle, PUNICODE_STRING newName) {
  if (!newName) return STATUS_ACCESS_VIOLATION;
  if (!RegistryName::wellFormed(newName)) return STATUS_INVALID_PARAMETER;
  RegistryName name;
  NTSTATUS status = RegistryName::keySegment(newName->Buffer, newName->Length / 2, name);
  if (!NT_SUCCESS(status)) return status;
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t id = 0;
  status = KeyHandles::instance().keyOf(keyHandle, session.generation(), KEY_SET_VALUE | KEY_CREATE_SUB_KEY, id);
  if (!NT_SUCCESS(status)) return status;
  Transaction write(session, Transaction::Kind::Write);
  if (!NT_SUCCESS(write.status())) return write.status();
  KeyStore store(session);
  KeyRecord key;
  status = store.record(id, key);
  if (NT_SUCCESS(status) && store.isProtected(key)) status = STATUS_ACCESS_DENIED;
  if (NT_SUCCESS(status)) {
    int64_t sibling = 0;
    status = store.findChild(key.parent, name.folded, sibling);
    if (NT_SUCCESS(status) && sibling != id) {
      status = STATUS_OBJECT_NAME_COLLISION;
    } else if (NT_SUCCESS(status) || status == STATUS_OBJECT_NAME_NOT_FOUND) {
      status = store.rename(id, name);
    }
  }
  return write.finish(status);
}

NTSTATUS NTAPI NtQueryKey(HANDLE keyHandle, KEY_INFORMATION_CLASS infoClass, PVOID keyInformation, ULONG length,
                          PULONG resultLength) {
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t id = 0;
  ACCESS_MASK needed = infoClass == KeyNameInformation ? 0 : KEY_QUERY_VALUE;
  NTSTATUS status = KeyHandles::instance().keyOf(keyHandle, session.generation(), needed, id);
  if (!NT_SUCCESS(status)) return status;
  Transaction read(session, Transaction::Kind::Read);
  if (!NT_SUCCESS(read.status())) return read.status();
  KeyStore store(session);
  KeyRecord key;
  std::unique_ptr<ntdll::InfoImage> image;
  status = store.record(id, key);
  if (NT_SUCCESS(status)) status = ntdll::KeyInfo::build(store, key, infoClass, image);
  status = read.finish(status);
  if (!NT_SUCCESS(status)) return status;
  return image->deliver(keyInformation, length, resultLength);
}

NTSTATUS NTAPI NtEnumerateKey(HANDLE keyHandle, ULONG index, KEY_INFORMATION_CLASS infoClass, PVOID keyInformation,
                              ULONG length, PULONG resultLength) {
  if (infoClass == KeyNameInformation) return STATUS_INVALID_PARAMETER;
  Hive::Session session;
  if (!NT_SUCCESS(session.status())) return session.status();
  int64_t id = 0;
  NTSTATUS status = KeyHandles::instance().keyOf(keyHandle, session.generation(), KEY_ENUMERATE_SUB_KEYS, id);
  if (!NT_SUCCESS(status)) return status;
  Transaction read(session, Transaction::Kind::Read);
  if (!NT_SUCCESS(read.status())) return read.status();
  KeyStore store(session);
  KeyRecord child;
  std::unique_ptr<ntdll::InfoImage> image;
  status = store.exists(id);
  if (NT_SUCCESS(status)) status = store.childAt(id, index, child);
  if (NT_SUCCESS(status)) status = ntdll::KeyInfo::build(store, child, infoClass, image);
  status = read.finish(status);
  if (status != STATUS_SUCCESS) return status;
  return image->deliver(keyInformation, length, resultLength);
}
