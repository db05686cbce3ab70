// The process token, as far as the registry needs it: its user, the Unix user in SID form S-1-22-1-<uid>.
#include <win/ntdll.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "ntdll/KeyHandles.h"

using ntdll::KeyHandles;

namespace {

// S-1-22-1-<uid>: the identifier authority 22 with the sub-authorities 1 and the user id.
constexpr ULONG kUserSidBytes = 8 + 2 * sizeof(DWORD);

void writeUserSid(BYTE* at, uid_t uid) {
  SID header{};
  header.Revision = SID_REVISION;
  header.SubAuthorityCount = 2;
  header.IdentifierAuthority.Value[5] = 22;
  std::memcpy(at, &header, 8);
  DWORD subAuthorities[2] = {1, static_cast<DWORD>(uid)};
  std::memcpy(at + 8, subAuthorities, sizeof subAuthorities);
}

}  // namespace

NTSTATUS NTAPI NtOpenProcessToken(HANDLE processHandle, ACCESS_MASK desiredAccess, PHANDLE tokenHandle) {
  if (!tokenHandle) return STATUS_ACCESS_VIOLATION;
  *tokenHandle = nullptr;
  if (processHandle != NtCurrentProcess()) return STATUS_INVALID_HANDLE;
  KeyHandles::Entry entry;
  entry.kind = KeyHandles::Kind::Token;
  entry.access = (desiredAccess & (GENERIC_ALL | MAXIMUM_ALLOWED)) ? TOKEN_ALL_ACCESS
                 : (desiredAccess & GENERIC_READ)                 ? (desiredAccess | TOKEN_QUERY)
                                                                  : desiredAccess;
  entry.keyId = static_cast<int64_t>(geteuid());
  *tokenHandle = KeyHandles::instance().add(entry);
  return *tokenHandle ? STATUS_SUCCESS : STATUS_INSUFFICIENT_RESOURCES;
}

NTSTATUS NTAPI NtQueryInformationToken(HANDLE tokenHandle, TOKEN_INFORMATION_CLASS infoClass, PVOID tokenInformation,
                                       ULONG length, PULONG returnLength) {
  KeyHandles::Entry entry;
  if (!KeyHandles::instance().find(tokenHandle, KeyHandles::Kind::Token, entry)) return STATUS_INVALID_HANDLE;
  if (!(entry.access & TOKEN_QUERY)) return STATUS_ACCESS_DENIED;
  if (infoClass != TokenUser && infoClass != TokenOwner) return STATUS_INVALID_INFO_CLASS;
  // Both answers are a pointer-headed structure with the SID right behind it in the same buffer.
  const ULONG header = infoClass == TokenUser ? sizeof(TOKEN_USER) : sizeof(TOKEN_OWNER);
  const ULONG needed = header + kUserSidBytes;
  if (returnLength) *returnLength = needed;
  if (length < needed) return STATUS_BUFFER_TOO_SMALL;
  if (!tokenInformation) return STATUS_ACCESS_VIOLATION;
  auto* bytes = static_cast<BYTE*>(tokenInformation);
  std::memset(bytes, 0, needed);
  BYTE* sid = bytes + header;
  writeUserSid(sid, static_cast<uid_t>(entry.keyId));
  if (infoClass == TokenUser) {
    auto* user = static_cast<TOKEN_USER*>(tokenInformation);
    user->User.Sid = sid;
    user->User.Attributes = 0;
  } else {
    static_cast<TOKEN_OWNER*>(tokenInformation)->Owner = sid;
  }
  return STATUS_SUCCESS;
}
