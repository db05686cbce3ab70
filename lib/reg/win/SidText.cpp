#include "reg/win/SidText.h"

#include <win/crt.h>
#include <win/error.h>
#include <win/ntdll.h>

#include <cstring>

#include "reg/win/ErrorMessage.h"
#include "reg/win/NativeRegistry.h"

#ifndef ERROR_INVALID_SID
#define ERROR_INVALID_SID 1337L
#endif

namespace s::reg::win {

uint32_t SidText::format(const void* sid, char16_t* text, uint32_t bytes) {
  const auto* header = static_cast<const BYTE*>(sid);
  if (!header || header[0] != SID_REVISION || header[1] > SID_MAX_SUB_AUTHORITIES) return ERROR_INVALID_SID;
  uint32_t subAuthorities = header[1];
  if (!text || bytes < 24 * subAuthorities + 56) return ERROR_INSUFFICIENT_BUFFER;
  const BYTE* authority = header + 2;
  size_t room = bytes / sizeof(char16_t);
  int used = _snwprintf(text, room, u"S-%lu-", 1ul);
  if (authority[0] != 0 || authority[1] != 0) {
    used += _snwprintf(text + used, room - used, u"0x%02hx%02hx%02hx%02hx%02hx%02hx", authority[0], authority[1],
                       authority[2], authority[3], authority[4], authority[5]);
  } else {
    unsigned long value = (static_cast<unsigned long>(authority[2]) << 24) |
                          (static_cast<unsigned long>(authority[3]) << 16) |
                          (static_cast<unsigned long>(authority[4]) << 8) | authority[5];
    used += _snwprintf(text + used, room - used, u"%lu", value);
  }
  for (uint32_t i = 0; i < subAuthorities; ++i) {
    DWORD sub = 0;
    std::memcpy(&sub, header + 8 + i * sizeof(DWORD), sizeof sub);
    used += _snwprintf(text + used, room - used, u"-%lu", static_cast<unsigned long>(sub));
  }
  return 0;
}

bool SidText::read(NativeRegistry& registry, s::str::strbuffer::StrBuffer* out) {
  const NativeRegistry::EntryPoints& nt = registry.nt();
  HANDLE token = nullptr;
  NTSTATUS status = nt.openProcessToken(NtCurrentProcess(), TOKEN_QUERY, &token);
  if (!NT_SUCCESS(status)) {
    ErrorMessage::show(registry.getModule(), static_cast<uint32_t>(status));
    return false;
  }
  HANDLE heap = RtlGetProcessHeap();
  ULONG needed = 0;
  nt.queryInformationToken(token, TokenUser, nullptr, 0, &needed);
  void* user = needed ? nt.allocateHeap(heap, HEAP_ZERO_MEMORY, needed) : nullptr;
  auto* text = static_cast<char16_t*>(nt.allocateHeap(heap, HEAP_ZERO_MEMORY, kTextBlockBytes));
  uint32_t failure = 0;
  if (!user || !text) {
    failure = static_cast<uint32_t>(STATUS_NO_MEMORY);
  } else {
    status = nt.queryInformationToken(token, TokenUser, user, needed, &needed);
    if (!NT_SUCCESS(status))
      failure = static_cast<uint32_t>(status);
    else
      failure = format(static_cast<TOKEN_USER*>(user)->User.Sid, text, kTextBlockBytes);
  }
  if (failure == 0) out->setText(text);
  else ErrorMessage::show(registry.getModule(), failure);
  nt.closeHandle(token);
  if (user) nt.freeHeap(heap, 0, user);
  if (text) nt.freeHeap(heap, 0, text);
  return failure == 0;
}

}  // namespace s::reg::win
