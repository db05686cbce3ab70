// The process token's user, its SID text, the counted strings and the process heap.
#include <gtest/gtest.h>
#include <unistd.h>
#include <win/ntdll.h>

#include <string>
#include <vector>

namespace {

TEST(TokenTest, TheUserIsTheUnixUserInSidForm) {
  HANDLE token = nullptr;
  ASSERT_EQ(NtOpenProcessToken(NtCurrentProcess(), TOKEN_QUERY, &token), STATUS_SUCCESS);
  ULONG needed = 0;
  EXPECT_EQ(NtQueryInformationToken(token, TokenUser, nullptr, 0, &needed), STATUS_BUFFER_TOO_SMALL);
  ASSERT_GT(needed, sizeof(TOKEN_USER));
  void* block = RtlAllocateHeap(RtlGetProcessHeap(), HEAP_ZERO_MEMORY, needed);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(NtQueryInformationToken(token, TokenUser, block, needed - 1, &needed), STATUS_BUFFER_TOO_SMALL);
  ASSERT_EQ(NtQueryInformationToken(token, TokenUser, block, needed, &needed), STATUS_SUCCESS);
  auto* user = static_cast<TOKEN_USER*>(block);
  ASSERT_TRUE(RtlValidSid(user->User.Sid));
  EXPECT_EQ(RtlLengthSid(user->User.Sid), 16u);

  UNICODE_STRING text;
  ASSERT_EQ(RtlConvertSidToUnicodeString(&text, user->User.Sid, TRUE), STATUS_SUCCESS);
  std::u16string expected;
  for (char c : "S-1-22-1-" + std::to_string(geteuid())) expected.push_back(static_cast<char16_t>(c));
  EXPECT_EQ(std::u16string(text.Buffer, text.Length / 2), expected);
  RtlFreeUnicodeString(&text);

  // A caller's buffer that is too short is refused rather than overrun.
  WCHAR small[4];
  UNICODE_STRING into{0, sizeof small, small};
  EXPECT_EQ(RtlConvertSidToUnicodeString(&into, user->User.Sid, FALSE), STATUS_BUFFER_OVERFLOW);

  EXPECT_TRUE(RtlFreeHeap(RtlGetProcessHeap(), 0, block));
  EXPECT_EQ(NtQueryInformationToken(token, TokenPrivileges, nullptr, 0, &needed), STATUS_INVALID_INFO_CLASS);
  EXPECT_EQ(NtClose(token), STATUS_SUCCESS);
  EXPECT_EQ(NtQueryInformationToken(token, TokenUser, nullptr, 0, &needed), STATUS_INVALID_HANDLE);
}

TEST(TokenTest, QueryingNeedsTheQueryRight) {
  HANDLE token = nullptr;
  ASSERT_EQ(NtOpenProcessToken(NtCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token), STATUS_SUCCESS);
  ULONG needed = 0;
  EXPECT_EQ(NtQueryInformationToken(token, TokenUser, nullptr, 0, &needed), STATUS_ACCESS_DENIED);
  NtClose(token);
  EXPECT_EQ(NtOpenProcessToken(reinterpret_cast<HANDLE>(0x40), TOKEN_QUERY, &token), STATUS_INVALID_HANDLE);
}

TEST(TokenTest, SidTextWritesLargeAuthoritiesInHex) {
  alignas(4) BYTE sid[12] = {1, 1, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 7, 0, 0, 0};
  UNICODE_STRING text;
  ASSERT_EQ(RtlConvertSidToUnicodeString(&text, sid, TRUE), STATUS_SUCCESS);
  EXPECT_EQ(std::u16string(text.Buffer, text.Length / 2), u"S-1-0x010203040506-7");
  RtlFreeUnicodeString(&text);
  sid[0] = 2;
  EXPECT_EQ(RtlConvertSidToUnicodeString(&text, sid, TRUE), STATUS_INVALID_SID);
}

TEST(TokenTest, CountedStringsFromText) {
  UNICODE_STRING s;
  RtlInitUnicodeString(&s, u"abc");
  EXPECT_EQ(s.Length, 6);
  EXPECT_EQ(s.MaximumLength, 8);
  RtlInitUnicodeString(&s, nullptr);
  EXPECT_EQ(s.Length, 0);
  EXPECT_EQ(s.Buffer, nullptr);
  std::u16string longText(40000, u'x');
  RtlInitUnicodeString(&s, longText.c_str());
  EXPECT_EQ(s.Length, 0xFFFC) << "a counted string never wraps its 16-bit length";
}

}  // namespace
