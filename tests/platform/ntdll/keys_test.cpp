// Native key services: names, creation, opening, deletion, renaming, enumeration and access rights.
#include <gtest/gtest.h>

#include "platform/ntdll/RegistryFixture.h"

namespace {

class KeysTest : public RegistryFixture {};

TEST_F(KeysTest, FixedKeysOpenWhateverTheCase) {
  for (const std::u16string& name : {std::u16string(u"\\Registry"), std::u16string(u"\\REGISTRY\\machine"),
                                     std::u16string(u"\\registry\\USER"), userRoot(),
                                     std::u16string(u"\\Registry\\Machine\\software\\CLASSES")}) {
    HANDLE h = nullptr;
    EXPECT_EQ(open(name, h), STATUS_SUCCESS) << std::string(name.begin(), name.end());
  }
}

TEST_F(KeysTest, MalformedNamesAreRefused) {
  struct Case {
    std::u16string name;
    NTSTATUS status;
  } cases[] = {
      {u"", STATUS_OBJECT_PATH_SYNTAX_BAD},
      {u"Registry\\Machine", STATUS_OBJECT_PATH_SYNTAX_BAD},
      {u"\\Registry\\\\Machine", STATUS_OBJECT_NAME_INVALID},
      {u"\\Registry\\Machine\\", STATUS_OBJECT_NAME_INVALID},
      {u"\\Other\\Machine", STATUS_OBJECT_NAME_NOT_FOUND},
      {u"\\Registry\\Machine\\" + std::u16string(256, u'k'), STATUS_OBJECT_NAME_INVALID},
      {u"\\Registry\\Machine\\bad\xD800surrogate", STATUS_OBJECT_NAME_INVALID},
  };
  for (const Case& c : cases) {
    HANDLE h = nullptr;
    EXPECT_EQ(open(c.name, h), c.status) << std::string(c.name.begin(), c.name.end());
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(create(c.name, h), c.status);
  }
  // The longest allowed segment works.
  HANDLE h = nullptr;
  EXPECT_EQ(create(u"\\Registry\\Machine\\" + std::u16string(255, u'k'), h), STATUS_SUCCESS);
}

TEST_F(KeysTest, CreateReportsDispositionAndNeedsTheParent) {
  HANDLE h = nullptr;
  ULONG disposition = 0;
  const std::u16string name = userRoot() + u"\\Software";
  ASSERT_EQ(create(name, h, &disposition), STATUS_SUCCESS);
  EXPECT_EQ(disposition, static_cast<ULONG>(REG_CREATED_NEW_KEY));
  ASSERT_EQ(create(userRoot() + u"\\SOFTWARE", h, &disposition), STATUS_SUCCESS);
  EXPECT_EQ(disposition, static_cast<ULONG>(REG_OPENED_EXISTING_KEY));
  EXPECT_EQ(create(name + u"\\Missing\\Child", h), STATUS_OBJECT_NAME_NOT_FOUND);
  EXPECT_EQ(open(name + u"\\Missing", h), STATUS_OBJECT_NAME_NOT_FOUND);
}

TEST_F(KeysTest, TopKeysRefuseNewChildrenAndDeletion) {
  HANDLE h = nullptr;
  EXPECT_EQ(create(u"\\Registry\\NewTop", h), STATUS_ACCESS_DENIED);
  EXPECT_EQ(create(u"\\Registry\\User\\S-1-5-18", h), STATUS_ACCESS_DENIED);
  for (const std::u16string& name : {std::u16string(u"\\Registry"), std::u16string(u"\\Registry\\Machine"),
                                     std::u16string(u"\\Registry\\User"), userRoot()}) {
    ASSERT_EQ(open(name, h), STATUS_SUCCESS);
    EXPECT_EQ(NtDeleteKey(h), STATUS_CANNOT_DELETE);
    UNICODE_STRING other = counted(u"Other");
    EXPECT_EQ(NtRenameKey(h, &other), STATUS_ACCESS_DENIED);
  }
}

TEST_F(KeysTest, RelativeNamesStartAtTheRootHandle) {
  HANDLE base = createPath(u"Base");
  HANDLE child = nullptr;
  ASSERT_EQ(create(u"Child", child, nullptr, KEY_ALL_ACCESS, base), STATUS_SUCCESS);
  HANDLE again = nullptr;
  EXPECT_EQ(open(userRoot() + u"\\base\\CHILD", again), STATUS_SUCCESS);
  EXPECT_EQ(open(u"\\Registry", again, KEY_READ, base), STATUS_OBJECT_PATH_SYNTAX_BAD);
  // The empty relative name is the root key itself.
  EXPECT_EQ(open(u"", again, KEY_READ, base), STATUS_SUCCESS);
  EXPECT_EQ(subKeys(again), std::vector<std::u16string>{u"Child"});
  // Creating below a handle needs the right to create sub-keys.
  HANDLE readOnly = nullptr;
  ASSERT_EQ(open(userRoot() + u"\\Base", readOnly, KEY_READ), STATUS_SUCCESS);
  EXPECT_EQ(create(u"Second", again, nullptr, KEY_ALL_ACCESS, readOnly), STATUS_ACCESS_DENIED);
}

TEST_F(KeysTest, DeleteRefusesKeysWithSubKeys) {
  HANDLE parent = createPath(u"P");
  HANDLE child = createPath(u"P\\C");
  EXPECT_EQ(NtDeleteKey(parent), STATUS_CANNOT_DELETE);
  EXPECT_EQ(NtDeleteKey(child), STATUS_SUCCESS);
  EXPECT_EQ(NtDeleteKey(parent), STATUS_SUCCESS);
  HANDLE h = nullptr;
  EXPECT_EQ(open(userRoot() + u"\\P", h), STATUS_OBJECT_NAME_NOT_FOUND);
}

TEST_F(KeysTest, EveryHandleOfADeletedKeyAnswersKeyDeleted) {
  HANDLE key = createPath(u"Gone");
  DWORD one = 1;
  ASSERT_EQ(setValue(key, u"v", REG_DWORD, &one, 4), STATUS_SUCCESS);
  HANDLE other = nullptr;
  ASSERT_EQ(open(userRoot() + u"\\Gone", other), STATUS_SUCCESS);
  ASSERT_EQ(NtDeleteKey(key), STATUS_SUCCESS);

  uint8_t buffer[256];
  ULONG length = 0;
  UNICODE_STRING v = counted(u"v");
  for (HANDLE h : {key, other}) {
    EXPECT_EQ(NtQueryValueKey(h, &v, KeyValuePartialInformation, buffer, sizeof buffer, &length), STATUS_KEY_DELETED);
    EXPECT_EQ(setValue(h, u"v", REG_DWORD, &one, 4), STATUS_KEY_DELETED);
    EXPECT_EQ(NtDeleteValueKey(h, &v), STATUS_KEY_DELETED);
    EXPECT_EQ(NtEnumerateKey(h, 0, KeyBasicInformation, buffer, sizeof buffer, &length), STATUS_KEY_DELETED);
    EXPECT_EQ(NtEnumerateValueKey(h, 0, KeyValueBasicInformation, buffer, sizeof buffer, &length), STATUS_KEY_DELETED);
    EXPECT_EQ(NtQueryKey(h, KeyBasicInformation, buffer, sizeof buffer, &length), STATUS_KEY_DELETED);
    EXPECT_EQ(NtDeleteKey(h), STATUS_KEY_DELETED);
    EXPECT_EQ(NtFlushKey(h), STATUS_KEY_DELETED);
    HANDLE child = nullptr;
    EXPECT_EQ(create(u"Child", child, nullptr, KEY_ALL_ACCESS, h), STATUS_KEY_DELETED);
  }
  // A key created again under the same name is a new key: the old handles stay deleted.
  HANDLE reborn = createPath(u"Gone");
  EXPECT_EQ(NtQueryKey(other, KeyBasicInformation, buffer, sizeof buffer, &length), STATUS_KEY_DELETED);
  EXPECT_EQ(NtQueryKey(reborn, KeyBasicInformation, buffer, sizeof buffer, &length), STATUS_SUCCESS);
}

TEST_F(KeysTest, RenameKeepsHandlesValuesAndSubKeys) {
  HANDLE key = createPath(u"Old");
  createPath(u"Old\\Sub");
  DWORD seven = 7;
  ASSERT_EQ(setValue(key, u"n", REG_DWORD, &seven, 4), STATUS_SUCCESS);
  UNICODE_STRING name = counted(u"New");
  ASSERT_EQ(NtRenameKey(key, &name), STATUS_SUCCESS);
  HANDLE h = nullptr;
  EXPECT_EQ(open(userRoot() + u"\\Old", h), STATUS_OBJECT_NAME_NOT_FOUND);
  ASSERT_EQ(open(userRoot() + u"\\new\\sub", h), STATUS_SUCCESS);
  ULONG type = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(getValue(key, u"n", type, data), STATUS_SUCCESS);
  EXPECT_EQ(data.size(), 4u);

  // A change of case alone is a rename too; the name of a sibling is refused; so are names with "\".
  createPath(u"Sibling");
  name = counted(u"NEW");
  EXPECT_EQ(NtRenameKey(key, &name), STATUS_SUCCESS);
  HANDLE root = nullptr;
  ASSERT_EQ(open(userRoot(), root), STATUS_SUCCESS);
  std::vector<std::u16string> expected = {u"NEW", u"Sibling"};
  EXPECT_EQ(subKeys(root), expected);
  name = counted(u"sibling");
  EXPECT_EQ(NtRenameKey(key, &name), STATUS_OBJECT_NAME_COLLISION);
  name = counted(u"a\\b");
  EXPECT_EQ(NtRenameKey(key, &name), STATUS_OBJECT_NAME_INVALID);
  name = counted(u"");
  EXPECT_EQ(NtRenameKey(key, &name), STATUS_OBJECT_NAME_INVALID);
}

TEST_F(KeysTest, SubKeysEnumerateInNameOrderIgnoringCase) {
  HANDLE root = createPath(u"List");
  for (const char16_t* name : {u"beta", u"Alpha", u"gamma", u"ALPHA2"}) createPath(std::u16string(u"List\\") + name);
  std::vector<std::u16string> expected = {u"Alpha", u"ALPHA2", u"beta", u"gamma"};
  EXPECT_EQ(subKeys(root), expected);
  uint8_t buffer[64];
  ULONG length = 0;
  EXPECT_EQ(NtEnumerateKey(root, 4, KeyBasicInformation, buffer, sizeof buffer, &length), STATUS_NO_MORE_ENTRIES);
}

TEST_F(KeysTest, KeyInformationReportsTheNeededLength) {
  HANDLE root = createPath(u"Info");
  createPath(u"Info\\LongerChildName");
  const ULONG fixed = offsetof(KEY_BASIC_INFORMATION, Name);
  const ULONG whole = fixed + 2 * 15;
  alignas(8) uint8_t buffer[256];
  ULONG length = 0;
  EXPECT_EQ(NtEnumerateKey(root, 0, KeyBasicInformation, buffer, fixed - 1, &length), STATUS_BUFFER_TOO_SMALL);
  EXPECT_EQ(length, whole);
  std::memset(buffer, 0xAB, sizeof buffer);
  EXPECT_EQ(NtEnumerateKey(root, 0, KeyBasicInformation, buffer, fixed + 4, &length), STATUS_BUFFER_OVERFLOW);
  EXPECT_EQ(length, whole);
  auto* info = reinterpret_cast<KEY_BASIC_INFORMATION*>(buffer);
  EXPECT_EQ(info->NameLength, 30u);
  EXPECT_EQ(buffer[fixed + 4], 0xAB) << "nothing is written past the given length";
  EXPECT_EQ(NtEnumerateKey(root, 0, KeyBasicInformation, buffer, whole, &length), STATUS_SUCCESS);
  EXPECT_EQ(std::u16string(info->Name, 15), u"LongerChildName");
  EXPECT_GT(info->LastWriteTime.QuadPart, 116444736000000000LL);

  // The full information counts sub-keys and values with their longest name and data.
  DWORD value = 1;
  ASSERT_EQ(setValue(root, u"abc", REG_DWORD, &value, 4), STATUS_SUCCESS);
  ASSERT_EQ(NtQueryKey(root, KeyFullInformation, buffer, sizeof buffer, &length), STATUS_SUCCESS);
  auto* full = reinterpret_cast<KEY_FULL_INFORMATION*>(buffer);
  EXPECT_EQ(full->SubKeys, 1u);
  EXPECT_EQ(full->MaxNameLen, 30u);
  EXPECT_EQ(full->Values, 1u);
  EXPECT_EQ(full->MaxValueNameLen, 6u);
  EXPECT_EQ(full->MaxValueDataLen, 4u);

  ASSERT_EQ(NtQueryKey(root, KeyNameInformation, buffer, sizeof buffer, &length), STATUS_SUCCESS);
  auto* name = reinterpret_cast<KEY_NAME_INFORMATION*>(buffer);
  std::u16string expected = u"\\REGISTRY\\USER\\S-1-22-1-" + wide(std::to_string(geteuid())) + u"\\Info";
  EXPECT_EQ(std::u16string(name->Name, name->NameLength / 2), expected);
}

TEST_F(KeysTest, HandlesHoldOnlyTheRightsAskedFor) {
  createPath(u"Rights");
  HANDLE reader = nullptr, writer = nullptr;
  ASSERT_EQ(open(userRoot() + u"\\Rights", reader, KEY_READ), STATUS_SUCCESS);
  ASSERT_EQ(open(userRoot() + u"\\Rights", writer, KEY_SET_VALUE), STATUS_SUCCESS);
  DWORD one = 1;
  EXPECT_EQ(setValue(reader, u"x", REG_DWORD, &one, 4), STATUS_ACCESS_DENIED);
  EXPECT_EQ(setValue(writer, u"x", REG_DWORD, &one, 4), STATUS_SUCCESS);
  ULONG type = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(getValue(writer, u"x", type, data), STATUS_ACCESS_DENIED);
  EXPECT_EQ(getValue(reader, u"x", type, data), STATUS_SUCCESS);
  EXPECT_EQ(NtDeleteKey(reader), STATUS_ACCESS_DENIED);
  uint8_t buffer[64];
  ULONG length = 0;
  EXPECT_EQ(NtEnumerateKey(writer, 0, KeyBasicInformation, buffer, sizeof buffer, &length), STATUS_ACCESS_DENIED);
}

TEST_F(KeysTest, ClosedAndForeignHandlesAreInvalid) {
  HANDLE key = createPath(u"Closing");
  ASSERT_EQ(NtClose(key), STATUS_SUCCESS);
  EXPECT_EQ(NtClose(key), STATUS_INVALID_HANDLE);
  DWORD one = 1;
  EXPECT_EQ(setValue(key, u"x", REG_DWORD, &one, 4), STATUS_INVALID_HANDLE);
  EXPECT_EQ(setValue(nullptr, u"x", REG_DWORD, &one, 4), STATUS_INVALID_HANDLE);
  EXPECT_EQ(setValue(reinterpret_cast<HANDLE>(0x123456789ULL), u"x", REG_DWORD, &one, 4), STATUS_INVALID_HANDLE);
  // A token handle is not a key handle.
  HANDLE token = nullptr;
  ASSERT_EQ(NtOpenProcessToken(NtCurrentProcess(), TOKEN_QUERY, &token), STATUS_SUCCESS);
  EXPECT_EQ(setValue(token, u"x", REG_DWORD, &one, 4), STATUS_INVALID_HANDLE);
  EXPECT_EQ(NtClose(token), STATUS_SUCCESS);
}

TEST_F(KeysTest, UnsupportedCreateOptionsAreRefused) {
  std::u16string name = userRoot() + u"\\Volatile";
  UNICODE_STRING s = counted(name);
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &s, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
  HANDLE h = nullptr;
  EXPECT_EQ(NtCreateKey(&h, KEY_ALL_ACCESS, &attributes, 0, nullptr, REG_OPTION_VOLATILE, nullptr), STATUS_NOT_SUPPORTED);
  EXPECT_EQ(NtCreateKey(&h, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0x100, nullptr), STATUS_INVALID_PARAMETER);
  EXPECT_EQ(open(name, h), STATUS_OBJECT_NAME_NOT_FOUND);
}

}  // namespace
