#include "ntdll/RegistryName.h"

#include "ntdll/Utf16.h"

namespace ntdll {

bool RegistryName::wellFormed(PCUNICODE_STRING name) {
  if (!name) return false;
  if (name->Length & 1) return false;
  return name->Length == 0 || name->Buffer != nullptr;
}

NTSTATUS RegistryName::keySegment(const char16_t* units, size_t count, RegistryName& out) {
  if (count == 0 || count > kMaxKeyNameUnits) return STATUS_OBJECT_NAME_INVALID;
  for (size_t i = 0; i < count; ++i)
    if (units[i] == u'\\') return STATUS_OBJECT_NAME_INVALID;
  out.text.clear();
  out.folded.clear();
  if (!Utf16::toUtf8(units, count, out.text) || !Utf16::toFoldedUtf8(units, count, out.folded))
    return STATUS_OBJECT_NAME_INVALID;
  return STATUS_SUCCESS;
}

NTSTATUS RegistryName::valueName(PCUNICODE_STRING name, RegistryName& out) {
  if (!name) return STATUS_ACCESS_VIOLATION;
  if (!wellFormed(name)) return STATUS_INVALID_PARAMETER;
  out.text.clear();
  out.folded.clear();
  size_t count = name->Length / 2;
  if (!Utf16::toUtf8(name->Buffer, count, out.text) || !Utf16::toFoldedUtf8(name->Buffer, count, out.folded))
    return STATUS_INVALID_PARAMETER;
  return STATUS_SUCCESS;
}

NTSTATUS RegistryName::path(PCUNICODE_STRING name, bool relative, std::vector<RegistryName>& segments) {
  segments.clear();
  if (!name) return relative ? STATUS_SUCCESS : STATUS_OBJECT_PATH_SYNTAX_BAD;
  if (!wellFormed(name)) return STATUS_OBJECT_NAME_INVALID;
  const char16_t* units = name->Buffer;
  size_t count = name->Length / 2;
  size_t at = 0;
  if (relative) {
    if (count > 0 && units[0] == u'\\') return STATUS_OBJECT_PATH_SYNTAX_BAD;
  } else {
    if (count == 0 || units[0] != u'\\') return STATUS_OBJECT_PATH_SYNTAX_BAD;
    static const char16_t kRegistry[] = u"REGISTRY";
    size_t end = 1;
    while (end < count && units[end] != u'\\') ++end;
    bool isRegistry = end - 1 == 8;
    for (size_t i = 0; isRegistry && i < 8; ++i)
      if (Utf16::upcase(units[1 + i]) != kRegistry[i]) isRegistry = false;
    if (!isRegistry) return STATUS_OBJECT_NAME_NOT_FOUND;
    if (end == count) return STATUS_SUCCESS;
    at = end + 1;
    if (at == count) return STATUS_OBJECT_NAME_INVALID;
  }
  while (at < count) {
    size_t end = at;
    while (end < count && units[end] != u'\\') ++end;
    RegistryName segment;
    NTSTATUS status = keySegment(units + at, end - at, segment);
    if (!NT_SUCCESS(status)) return status;
    segments.push_back(std::move(segment));
    if (end == count) break;
    at = end + 1;
    if (at == count) return STATUS_OBJECT_NAME_INVALID;  // a trailing "\"
  }
  return STATUS_SUCCESS;
}

}  // namespace ntdll
