// Counted strings and the text form of SIDs.
#include <win/ntdll.h>

#include <cstdio>
#include <cstring>
#include <string>

void NTAPI RtlInitUnicodeString(PUNICODE_STRING destination, PCWSTR source) {
  if (!destination) return;
  if (!source) {
    destination->Length = destination->MaximumLength = 0;
    destination->Buffer = nullptr;
    return;
  }
  size_t units = 0;
  while (source[units]) ++units;
  // A counted string holds at most 32766 units; longer text is cut there, as the native call does.
  if (units > 0x7FFE) units = 0x7FFE;
  destination->Length = static_cast<USHORT>(units * 2);
  destination->MaximumLength = static_cast<USHORT>(units * 2 + 2);
  destination->Buffer = const_cast<PWSTR>(source);
}

void NTAPI RtlFreeUnicodeString(PUNICODE_STRING string) {
  if (!string) return;
  RtlFreeHeap(RtlGetProcessHeap(), 0, string->Buffer);
  string->Buffer = nullptr;
  string->Length = string->MaximumLength = 0;
}

BOOLEAN NTAPI RtlValidSid(PSID sid) {
  if (!sid) return FALSE;
  const auto* header = static_cast<const BYTE*>(sid);
  return header[0] == SID_REVISION && header[1] <= SID_MAX_SUB_AUTHORITIES;
}

ULONG NTAPI RtlLengthSid(PSID sid) {
  return 8 + static_cast<ULONG>(static_cast<const BYTE*>(sid)[1]) * sizeof(DWORD);
}

NTSTATUS NTAPI RtlConvertSidToUnicodeString(PUNICODE_STRING text, PSID sid, BOOLEAN allocate) {
  if (!text) return STATUS_ACCESS_VIOLATION;
  if (!RtlValidSid(sid)) return STATUS_INVALID_SID;
  const auto* bytes = static_cast<const BYTE*>(sid);
  const BYTE* authority = bytes + 2;
  char part[32];
  std::string out = "S-1-";
  if (authority[0] || authority[1]) {
    std::snprintf(part, sizeof part, "0x%02X%02X%02X%02X%02X%02X", authority[0], authority[1], authority[2],
                  authority[3], authority[4], authority[5]);
  } else {
    unsigned long value = (static_cast<unsigned long>(authority[2]) << 24) | (authority[3] << 16) |
                          (authority[4] << 8) | authority[5];
    std::snprintf(part, sizeof part, "%lu", value);
  }
  out += part;
  for (BYTE i = 0; i < bytes[1]; ++i) {
    DWORD sub;
    std::memcpy(&sub, bytes + 8 + i * sizeof(DWORD), sizeof sub);
    std::snprintf(part, sizeof part, "-%lu", static_cast<unsigned long>(sub));
    out += part;
  }
  const USHORT needed = static_cast<USHORT>(out.size() * 2);
  if (allocate) {
    auto* buffer = static_cast<PWSTR>(RtlAllocateHeap(RtlGetProcessHeap(), 0, needed + 2));
    if (!buffer) return STATUS_NO_MEMORY;
    text->Buffer = buffer;
    text->MaximumLength = static_cast<USHORT>(needed + 2);
  } else if (text->MaximumLength < needed || !text->Buffer) {
    return STATUS_BUFFER_OVERFLOW;
  }
  for (size_t i = 0; i < out.size(); ++i) text->Buffer[i] = static_cast<WCHAR>(out[i]);
  if (text->MaximumLength >= needed + 2) text->Buffer[out.size()] = 0;
  text->Length = needed;
  return STATUS_SUCCESS;
}
