#include "ntdll/KeyStore.h"

#include <algorithm>

#include "ntdll/FileTime.h"
#include "ntdll/Query.h"
#include "ntdll/Utf16.h"

namespace ntdll {

namespace {

ULONG utf16Bytes(std::string_view text) {
  return static_cast<ULONG>(Utf16::fromUtf8(text.data(), text.size()).size() * 2);
}

}  // namespace

NTSTATUS KeyStore::record(int64_t id, KeyRecord& out) {
  Query query(session_, Sql::KeyRow);
  query.bind(1, id);
  if (!query.next()) return NT_SUCCESS(query.status()) ? STATUS_KEY_DELETED : query.status();
  out.id = id;
  out.parent = query.isNull(0) ? 0 : query.integer(0);
  std::string_view name = query.text(1);
  out.name = Utf16::fromUtf8(name.data(), name.size());
  out.keyClass.assign(static_cast<const char*>(query.blob(2)) ? static_cast<const char*>(query.blob(2)) : "",
                      query.size(2));
  out.lastWrite = query.integer(3);
  return STATUS_SUCCESS;
}

NTSTATUS KeyStore::exists(int64_t id) {
  Query query(session_, Sql::KeyRow);
  query.bind(1, id);
  if (query.next()) return STATUS_SUCCESS;
  return NT_SUCCESS(query.status()) ? STATUS_KEY_DELETED : query.status();
}

NTSTATUS KeyStore::findChild(int64_t parent, const std::string& folded, int64_t& id) {
  Query query(session_, Sql::FindChild);
  query.bind(1, parent).bind(2, folded);
  if (query.next()) {
    id = query.integer(0);
    return STATUS_SUCCESS;
  }
  return NT_SUCCESS(query.status()) ? STATUS_OBJECT_NAME_NOT_FOUND : query.status();
}

NTSTATUS KeyStore::resolve(int64_t from, const std::vector<RegistryName>& segments, size_t count, int64_t& id,
                           size_t* missingAt) {
  id = from;
  for (size_t i = 0; i < count; ++i) {
    NTSTATUS status = findChild(id, segments[i].folded, id);
    if (!NT_SUCCESS(status)) {
      if (missingAt) *missingAt = i;
      return status;
    }
  }
  return STATUS_SUCCESS;
}

NTSTATUS KeyStore::createChild(int64_t parent, const RegistryName& name, const std::string& keyClass, int64_t& id) {
  int64_t now = FileTime::now();
  {
    Query insert(session_, Sql::InsertKey);
    insert.bind(1, parent).bind(2, name.text).bind(3, name.folded).bind(5, now);
    if (keyClass.empty())
      insert.bindNull(4);
    else
      insert.bindBlob(4, keyClass.data(), keyClass.size());
    NTSTATUS status = insert.run();
    if (!NT_SUCCESS(status)) return status;
  }
  id = sqlite3_last_insert_rowid(session_.db());
  return touch(parent);
}

NTSTATUS KeyStore::touch(int64_t id) {
  Query query(session_, Sql::TouchKey);
  query.bind(1, id).bind(2, FileTime::now());
  return query.run();
}

NTSTATUS KeyStore::hasChildren(int64_t id, bool& any) {
  Query query(session_, Sql::HasChild);
  query.bind(1, id);
  any = query.next();
  return query.status();
}

NTSTATUS KeyStore::remove(int64_t id) {
  NTSTATUS status;
  {
    Query values(session_, Sql::DeleteKeyValues);
    values.bind(1, id);
    status = values.run();
  }
  if (!NT_SUCCESS(status)) return status;
  Query key(session_, Sql::DeleteKey);
  key.bind(1, id);
  return key.run();
}

NTSTATUS KeyStore::rename(int64_t id, const RegistryName& name) {
  Query query(session_, Sql::RenameKey);
  query.bind(1, id).bind(2, name.text).bind(3, name.folded).bind(4, FileTime::now());
  return query.run();
}

NTSTATUS KeyStore::childAt(int64_t parent, ULONG index, KeyRecord& out) {
  Query query(session_, Sql::ChildAt);
  query.bind(1, parent).bind(2, static_cast<int64_t>(index));
  if (!query.next()) return NT_SUCCESS(query.status()) ? STATUS_NO_MORE_ENTRIES : query.status();
  out.id = query.integer(0);
  out.parent = parent;
  std::string_view name = query.text(1);
  out.name = Utf16::fromUtf8(name.data(), name.size());
  const char* keyClass = static_cast<const char*>(query.blob(2));
  out.keyClass.assign(keyClass ? keyClass : "", query.size(2));
  out.lastWrite = query.integer(3);
  return STATUS_SUCCESS;
}

NTSTATUS KeyStore::statistics(int64_t id, KeyStatistics& out) {
  out = KeyStatistics();
  {
    Query children(session_, Sql::ChildNames);
    children.bind(1, id);
    while (children.next()) {
      ++out.subKeys;
      out.maxNameBytes = std::max(out.maxNameBytes, utf16Bytes(children.text(0)));
      out.maxClassBytes = std::max(out.maxClassBytes, static_cast<ULONG>(children.size(1)));
    }
    if (!NT_SUCCESS(children.status())) return children.status();
  }
  Query values(session_, Sql::ValueSizes);
  values.bind(1, id);
  while (values.next()) {
    ++out.values;
    out.maxValueNameBytes = std::max(out.maxValueNameBytes, utf16Bytes(values.text(0)));
    out.maxValueDataBytes = std::max(out.maxValueDataBytes, static_cast<ULONG>(values.integer(1)));
  }
  return values.status();
}

NTSTATUS KeyStore::fullName(int64_t id, std::u16string& out) {
  std::vector<std::u16string> names;
  for (int64_t at = id; at != 0;) {
    KeyRecord key;
    NTSTATUS status = record(at, key);
    if (!NT_SUCCESS(status)) return status;
    names.push_back(key.name);
    at = key.parent;
    if (names.size() > 4096) return STATUS_REGISTRY_CORRUPT;  // a cycle in the parent links
  }
  out.clear();
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    out.push_back(u'\\');
    out += *it;
  }
  return STATUS_SUCCESS;
}

bool KeyStore::isProtected(const KeyRecord& key) const {
  return key.id <= Hive::kUserKey || key.parent == Hive::kUserKey;
}

bool KeyStore::refusesChildren(int64_t id) const { return id == Hive::kRegistryKey || id == Hive::kUserKey; }

}  // namespace ntdll
