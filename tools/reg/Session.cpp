#include "reg/Session.h"

#include <win/format_message.h>
#include <win/module.h>

#include <cstdio>
#include <vector>

#include "reg/Text.h"

namespace reg {

std::u16string Session::userSid() {
  static const std::u16string sid = [] {
    std::u16string text = u"Error";
    HANDLE token = nullptr;
    if (NtOpenProcessToken(NtCurrentProcess(), TOKEN_QUERY, &token) != STATUS_SUCCESS) return text;
    ULONG needed = 0;
    NtQueryInformationToken(token, TokenUser, nullptr, 0, &needed);
    std::vector<unsigned char> buffer(needed + 8);
    if (needed && NtQueryInformationToken(token, TokenUser, buffer.data(), needed, &needed) == STATUS_SUCCESS) {
      UNICODE_STRING converted;
      auto* user = reinterpret_cast<TOKEN_USER*>(buffer.data());
      if (RtlConvertSidToUnicodeString(&converted, user->User.Sid, TRUE) == STATUS_SUCCESS) {
        text.assign(converted.Buffer, converted.Length / 2);
        RtlFreeUnicodeString(&converted);
      }
    }
    NtClose(token);
    return text;
  }();
  return sid;
}

std::string Session::statusText(NTSTATUS status) {
  LPWSTR text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                    FORMAT_MESSAGE_MAX_WIDTH_MASK,
                                GetModuleHandleW(u"ntdll.dll"), static_cast<DWORD>(status), 0,
                                reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
  if (!length) return std::string("status ") + code;
  std::string out = Text::toUtf8(std::u16string(text, length));
  LocalFree(text);
  while (!out.empty() && (out.back() == ' ' || out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out + " (" + code + ")";
}

}  // namespace reg
