// Native value services: exact types and bytes, names ignoring case, buffer lengths, enumeration order.
#include <gtest/gtest.h>

#include <numeric>

#include "platform/ntdll/RegistryFixture.h"

namespace {

class ValuesTest : public RegistryFixture {};

std::vector<uint8_t> pattern(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 8));
  return bytes;
}

TEST_F(ValuesTest, TypesAndBytesComeBackExactly) {
  HANDLE key = createPath(u"Exact");
  struct Case {
    const char16_t* name;
    ULONG type;
    size_t size;
  } cases[] = {
      {u"empty binary", REG_BINARY, 0},   {u"empty string", REG_SZ, 0},     {u"one", REG_NONE, 1},
      {u"dword", REG_DWORD, 4},           {u"odd", REG_SZ, 3},              {u"qword", REG_QWORD, 8},
      {u"custom type", 0x12345678, 17},   {u"large", REG_BINARY, 1 << 20},  {u"huge", REG_BINARY, 24 << 20},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = pattern(c.size);
    ASSERT_EQ(setValue(key, c.name, c.type, bytes.data(), static_cast<ULONG>(bytes.size())), STATUS_SUCCESS);
  }
  for (const Case& c : cases) {
    ULONG type = 0;
    std::vector<uint8_t> data;
    ASSERT_EQ(getValue(key, c.name, type, data), STATUS_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_TRUE(data == pattern(c.size)) << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
  }
}

TEST_F(ValuesTest, NamesMatchIgnoringCaseAndKeepTheirFirstSpelling) {
  HANDLE key = createPath(u"Case");
  DWORD one = 1, two = 2;
  ASSERT_EQ(setValue(key, u"MixedCase", REG_DWORD, &one, 4), STATUS_SUCCESS);
  ASSERT_EQ(setValue(key, u"MIXEDCASE", REG_BINARY, &two, 4), STATUS_SUCCESS);
  EXPECT_EQ(valueNames(key), std::vector<std::u16string>{u"MixedCase"});
  ULONG type = 0;
  std::vector<uint8_t> data;
  std::u16string stored;
  ASSERT_EQ(getValue(key, u"mixedcase", type, data, &stored), STATUS_SUCCESS);
  EXPECT_EQ(type, static_cast<ULONG>(REG_BINARY)) << "a write replaces the type too";
  EXPECT_EQ(data[0], 2);
  EXPECT_EQ(stored, u"MixedCase");
  // Letters beyond ASCII fold as well.
  ASSERT_EQ(setValue(key, u"\u00E9t\u00E9", REG_DWORD, &one, 4), STATUS_SUCCESS);
  EXPECT_EQ(getValue(key, u"\u00C9T\u00C9", type, data), STATUS_SUCCESS);
}

TEST_F(ValuesTest, TheEmptyNameIsTheDefaultValue) {
  HANDLE key = createPath(u"Default");
  ULONG type = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(getValue(key, u"", type, data), STATUS_OBJECT_NAME_NOT_FOUND);
  const char16_t text[] = u"hello";
  ASSERT_EQ(setValue(key, u"", REG_SZ, text, sizeof text), STATUS_SUCCESS);
  ASSERT_EQ(getValue(key, u"", type, data), STATUS_SUCCESS);
  EXPECT_EQ(data.size(), sizeof text);
  // A null name pointer is a caller error, not the default value.
  EXPECT_EQ(NtSetValueKey(key, nullptr, 0, REG_SZ, const_cast<char16_t*>(text), sizeof text), STATUS_ACCESS_VIOLATION);
  EXPECT_EQ(setValue(key, u"x", REG_SZ, nullptr, 4), STATUS_ACCESS_VIOLATION);
}

TEST_F(ValuesTest, QueryReportsTheNeededLengthForEveryClass) {
  HANDLE key = createPath(u"Lengths");
  const std::vector<uint8_t> bytes = pattern(40);
  ASSERT_EQ(setValue(key, u"name", REG_BINARY, bytes.data(), 40), STATUS_SUCCESS);
  UNICODE_STRING name = counted(u"name");
  struct Case {
    KEY_VALUE_INFORMATION_CLASS infoClass;
    ULONG fixed;
  } cases[] = {
      {KeyValueBasicInformation, static_cast<ULONG>(offsetof(KEY_VALUE_BASIC_INFORMATION, Name))},
      {KeyValueFullInformation, static_cast<ULONG>(offsetof(KEY_VALUE_FULL_INFORMATION, Name))},
      {KeyValuePartialInformation, static_cast<ULONG>(offsetof(KEY_VALUE_PARTIAL_INFORMATION, Data))},
  };
  for (const Case& c : cases) {
    alignas(8) uint8_t buffer[256];
    ULONG needed = 0, length = 0;
    EXPECT_EQ(NtQueryValueKey(key, &name, c.infoClass, nullptr, 0, &needed), STATUS_BUFFER_TOO_SMALL);
    EXPECT_GT(needed, c.fixed);
    EXPECT_EQ(NtQueryValueKey(key, &name, c.infoClass, buffer, c.fixed - 1, &length), STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(length, needed);
    EXPECT_EQ(NtQueryValueKey(key, &name, c.infoClass, buffer, c.fixed, &length), STATUS_BUFFER_OVERFLOW);
    EXPECT_EQ(length, needed);
    EXPECT_EQ(reinterpret_cast<KEY_VALUE_BASIC_INFORMATION*>(buffer)->Type, static_cast<ULONG>(REG_BINARY))
        << "an overflow still fills the fixed part";
    EXPECT_EQ(NtQueryValueKey(key, &name, c.infoClass, buffer, needed - 1, &length), STATUS_BUFFER_OVERFLOW);
    EXPECT_EQ(NtQueryValueKey(key, &name, c.infoClass, buffer, needed, &length), STATUS_SUCCESS);
    EXPECT_EQ(length, needed);
  }
  alignas(8) uint8_t buffer[256];
  ULONG length = 0;
  ASSERT_EQ(NtQueryValueKey(key, &name, KeyValueFullInformation, buffer, sizeof buffer, &length), STATUS_SUCCESS);
  auto* full = reinterpret_cast<KEY_VALUE_FULL_INFORMATION*>(buffer);
  EXPECT_EQ(full->NameLength, 8u);
  EXPECT_EQ(full->DataLength, 40u);
  EXPECT_GE(full->DataOffset, offsetof(KEY_VALUE_FULL_INFORMATION, Name) + 8);
  EXPECT_EQ(length, full->DataOffset + 40);
  EXPECT_EQ(std::memcmp(buffer + full->DataOffset, bytes.data(), 40), 0);
  EXPECT_EQ(NtQueryValueKey(key, &name, static_cast<KEY_VALUE_INFORMATION_CLASS>(9), buffer, sizeof buffer, &length),
            STATUS_INVALID_INFO_CLASS);
}

TEST_F(ValuesTest, ValuesEnumerateInTheOrderFirstWritten) {
  HANDLE key = createPath(u"Order");
  DWORD one = 1;
  for (const char16_t* name : {u"zeta", u"Alpha", u"mu"}) ASSERT_EQ(setValue(key, name, REG_DWORD, &one, 4), STATUS_SUCCESS);
  ASSERT_EQ(setValue(key, u"ZETA", REG_DWORD, &one, 4), STATUS_SUCCESS);  // rewriting keeps the place
  std::vector<std::u16string> expected = {u"zeta", u"Alpha", u"mu"};
  EXPECT_EQ(valueNames(key), expected);
  alignas(8) uint8_t buffer[128];
  ULONG length = 0;
  EXPECT_EQ(NtEnumerateValueKey(key, 3, KeyValueBasicInformation, buffer, sizeof buffer, &length), STATUS_NO_MORE_ENTRIES);
  ASSERT_EQ(NtEnumerateValueKey(key, 1, KeyValueFullInformation, buffer, sizeof buffer, &length), STATUS_SUCCESS);
  auto* full = reinterpret_cast<KEY_VALUE_FULL_INFORMATION*>(buffer);
  EXPECT_EQ(std::u16string(full->Name, full->NameLength / 2), u"Alpha");
  EXPECT_EQ(full->DataLength, 4u);
}

TEST_F(ValuesTest, DeletingAValue) {
  HANDLE key = createPath(u"Remove");
  DWORD one = 1;
  ASSERT_EQ(setValue(key, u"v", REG_DWORD, &one, 4), STATUS_SUCCESS);
  UNICODE_STRING name = counted(u"V");
  EXPECT_EQ(NtDeleteValueKey(key, &name), STATUS_SUCCESS);
  EXPECT_EQ(NtDeleteValueKey(key, &name), STATUS_OBJECT_NAME_NOT_FOUND);
  EXPECT_TRUE(valueNames(key).empty());
}

TEST_F(ValuesTest, DeletingAKeyTakesItsValues) {
  HANDLE key = createPath(u"WithValues");
  DWORD one = 1;
  ASSERT_EQ(setValue(key, u"v", REG_DWORD, &one, 4), STATUS_SUCCESS);
  ASSERT_EQ(NtDeleteKey(key), STATUS_SUCCESS);
  HANDLE again = createPath(u"WithValues");
  EXPECT_TRUE(valueNames(again).empty());
}

}  // namespace
