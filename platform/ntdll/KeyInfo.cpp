#include "ntdll/KeyInfo.h"

#include <cstddef>

namespace ntdll {

namespace {

constexpr ULONG kNoClass = 0xFFFFFFFFu;

InfoImage* basic(const KeyRecord& key) {
  auto* image = new InfoImage(offsetof(KEY_BASIC_INFORMATION, Name));
  image->put<LONGLONG>(offsetof(KEY_BASIC_INFORMATION, LastWriteTime), key.lastWrite);
  image->put<ULONG>(offsetof(KEY_BASIC_INFORMATION, NameLength), static_cast<ULONG>(key.name.size() * 2));
  image->append(key.name.data(), key.name.size() * 2);
  return image;
}

InfoImage* node(const KeyRecord& key) {
  auto* image = new InfoImage(offsetof(KEY_NODE_INFORMATION, Name));
  image->put<LONGLONG>(offsetof(KEY_NODE_INFORMATION, LastWriteTime), key.lastWrite);
  image->put<ULONG>(offsetof(KEY_NODE_INFORMATION, NameLength), static_cast<ULONG>(key.name.size() * 2));
  image->append(key.name.data(), key.name.size() * 2);
  ULONG classOffset = kNoClass;
  if (!key.keyClass.empty()) classOffset = static_cast<ULONG>(image->append(key.keyClass.data(), key.keyClass.size(), 2));
  image->put<ULONG>(offsetof(KEY_NODE_INFORMATION, ClassOffset), classOffset);
  image->put<ULONG>(offsetof(KEY_NODE_INFORMATION, ClassLength), static_cast<ULONG>(key.keyClass.size()));
  return image;
}

NTSTATUS full(KeyStore& store, const KeyRecord& key, std::unique_ptr<InfoImage>& out) {
  KeyStatistics stats;
  NTSTATUS status = store.statistics(key.id, stats);
  if (!NT_SUCCESS(status)) return status;
  auto* image = new InfoImage(offsetof(KEY_FULL_INFORMATION, Class));
  image->put<LONGLONG>(offsetof(KEY_FULL_INFORMATION, LastWriteTime), key.lastWrite);
  ULONG classOffset = kNoClass;
  if (!key.keyClass.empty()) classOffset = static_cast<ULONG>(image->append(key.keyClass.data(), key.keyClass.size()));
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, ClassOffset), classOffset);
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, ClassLength), static_cast<ULONG>(key.keyClass.size()));
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, SubKeys), stats.subKeys);
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, MaxNameLen), stats.maxNameBytes);
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, MaxClassLen), stats.maxClassBytes);
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, Values), stats.values);
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, MaxValueNameLen), stats.maxValueNameBytes);
  image->put<ULONG>(offsetof(KEY_FULL_INFORMATION, MaxValueDataLen), stats.maxValueDataBytes);
  out.reset(image);
  return STATUS_SUCCESS;
}

NTSTATUS name(KeyStore& store, const KeyRecord& key, std::unique_ptr<InfoImage>& out) {
  std::u16string path;
  NTSTATUS status = store.fullName(key.id, path);
  if (!NT_SUCCESS(status)) return status;
  auto* image = new InfoImage(offsetof(KEY_NAME_INFORMATION, Name));
  image->put<ULONG>(offsetof(KEY_NAME_INFORMATION, NameLength), static_cast<ULONG>(path.size() * 2));
  image->append(path.data(), path.size() * 2);
  out.reset(image);
  return STATUS_SUCCESS;
}

}  // namespace

NTSTATUS KeyInfo::build(KeyStore& store, const KeyRecord& key, KEY_INFORMATION_CLASS infoClass, std::unique_ptr<InfoImage>& out) {
  out.reset();
  switch (infoClass) {
    case KeyBasicInformation:
      out.reset(basic(key));
      return STATUS_SUCCESS;
    case KeyNodeInformation:
      out.reset(node(key));
      return STATUS_SUCCESS;
    case KeyFullInformation:
      return full(store, key, out);
    case KeyNameInformation:
      return name(store, key, out);
  }
  return STATUS_INVALID_INFO_CLASS;
}

}  // namespace ntdll
