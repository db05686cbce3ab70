#include <unistd.h>
#include <win/error.h>
#include <win/ntdll.h>

#include <cstring>
#include <string>

#include "TempHive.h"
#include "base/col/_array/ArrayP.h"
#include "base/col/_array/ArrayU08.h"
#include "base/str/strarray/StrArray.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "reg/win/ErrorMessage.h"
#include "reg/win/NativeRegistry.h"
#include "reg/win/RegDir.h"
#include "reg/win/SidText.h"

using s::col::_array::ArrayP;
using s::col::_array::ArrayU08;
using s::reg::IRegDir;
using s::reg::win::RegDir;
using s::str::strarray::StrArray;
using s::str::strbuffer::StrBuffer;

namespace {

std::u16string text(const char16_t* t) { return t ? std::u16string(t) : std::u16string(u"<null>"); }

class RegDirTest : public testing_reg::TempHive {
 protected:
  // A key object on HKCU\Software\VesperTest\<path>, created.
  RegDir* created(const char16_t* path) {
    RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, (std::u16string(u"Software\\VesperTest\\") + path).c_str());
    EXPECT_EQ(key->create(), STATUS_SUCCESS);
    return key;
  }
  RegDir* bound(const char16_t* path) {
    return RegDir::acquireKey(IRegDir::kCurrentUser, (std::u16string(u"Software\\VesperTest\\") + path).c_str());
  }
  // Writes a raw value through the native call, bypassing the typed setters.
  static void writeRaw(RegDir* key, const char16_t* name, ULONG type, const void* data, ULONG size) {
    HANDLE handle = nullptr;
    UNICODE_STRING native;
    RtlInitUnicodeString(&native, key->getNativeName());
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &native, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    ASSERT_EQ(NtOpenKey(&handle, KEY_ALL_ACCESS, &attributes), STATUS_SUCCESS);
    UNICODE_STRING valueName;
    RtlInitUnicodeString(&valueName, name);
    EXPECT_EQ(NtSetValueKey(handle, &valueName, 0, type, const_cast<void*>(data), size), STATUS_SUCCESS);
    NtClose(handle);
  }
};

TEST_F(RegDirTest, NamesFollowTheRootAndTheSidOfTheUser) {
  RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, u"Software\\X");
  std::u16string sid = u"S-1-22-1-";
  for (char c : std::to_string(getuid())) sid.push_back(static_cast<char16_t>(c));
  EXPECT_EQ(text(key->getFullName()), u"HKEY_CURRENT_USER\\Software\\X");
  EXPECT_EQ(text(key->getNativeName()), u"\\Registry\\User\\" + sid + u"\\Software\\X");
  EXPECT_EQ(text(s::reg::win::NativeRegistry::instance().getSidText()), sid);
  key->openKey(IRegDir::kLocalMachine, u"SOFTWARE");
  EXPECT_EQ(text(key->getNativeName()), u"\\Registry\\Machine\\SOFTWARE");
  key->openKey(IRegDir::kClassesRoot, u"");
  EXPECT_EQ(text(key->getFullName()), u"HKEY_CLASSES_ROOT");
  EXPECT_EQ(text(key->getNativeName()), u"\\Registry\\Machine\\SOFTWARE\\Classes");
  key->release();
}

TEST_F(RegDirTest, OpenFullNameMatchesRootsIgnoringCase) {
  struct Case {
    const char16_t* fullName;
    uint32_t root;
    const char16_t* path;
  } cases[] = {
      {u"hkey_current_user\\Software\\X", IRegDir::kCurrentUser, u"Software\\X"},
      {u"HKEY_LOCAL_MACHINE\\SOFTWARE", IRegDir::kLocalMachine, u"SOFTWARE"},
      {u"HKEY_USERS\\.DEFAULT", IRegDir::kUsers, u".DEFAULT"},
      {u"HKEY_CURRENT_CONFIG\\System", IRegDir::kCurrentConfig, u"System"},
      {u"Hkey_Classes_Root\\.txt", IRegDir::kClassesRoot, u".txt"},
      {u"HKEY_CURRENT_USER", IRegDir::kCurrentUser, u""},
      {u"HKCU\\Software", IRegDir::kCurrentUser, u"InvalidKey"},
      {u"HKEY_USERSX\\Software", IRegDir::kCurrentUser, u"InvalidKey"},
      {u"", IRegDir::kCurrentUser, u"InvalidKey"},
  };
  RegDir* key = RegDir::acquire();
  for (const Case& c : cases) {
    key->openFullName(c.fullName);
    EXPECT_EQ(key->getRoot(), c.root) << std::string(c.fullName, c.fullName + std::char_traits<char16_t>::length(c.fullName));
    EXPECT_EQ(text(key->getPath()), c.path);
  }
  key->release();
}

TEST_F(RegDirTest, OpenDropsTrailingSeparatorsAndNamesTheLastSegment) {
  RegDir* key = RegDir::acquire();
  key->openKey(IRegDir::kCurrentUser, u"Software\\A\\\\\\");
  EXPECT_EQ(text(key->getPath()), u"Software\\A");
  StrBuffer* name = key->getName(nullptr, false);
  EXPECT_EQ(text(name->getText()), u"A");
  key->getName(name, true);
  EXPECT_EQ(text(name->getText()), u"AA");
  name->release();
  RegDir* parent = key->getParent();
  EXPECT_EQ(text(parent->getPath()), u"Software");
  RegDir* top = parent->getParent();
  EXPECT_EQ(text(top->getPath()), u"");
  EXPECT_EQ(text(top->getFullName()), u"HKEY_CURRENT_USER");
  top->release();
  parent->release();
  key->release();
}

TEST_F(RegDirTest, WritingBelowAMissingKeyCreatesEveryAncestor) {
  RegDir* a = created(u"A");
  a->release();
  RegDir* c = bound(u"A\\B\\C");
  EXPECT_FALSE(c->isOpen());
  EXPECT_EQ(c->setU32(u"v", 7), STATUS_SUCCESS);
  c->release();
  RegDir* b = bound(u"A\\B");
  EXPECT_TRUE(b->isOpen());
  b->release();
  c = bound(u"A\\B\\C");
  EXPECT_EQ(c->getU32(u"v", 0), 7u);
  c->release();
  int status = 0;
  std::string out = runReg("query 'HKCU\\Software\\VesperTest\\A\\B\\C' /v v", &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("v    REG_DWORD    0x7"), std::string::npos) << out;
}

TEST_F(RegDirTest, TypedValuesReachTheHiveWithTheirTypes) {
  RegDir* key = created(u"Typed");
  key->setI8(u"i8", -1);
  key->setU16(u"u16", 0xBEEF);
  key->setI64(u"i64", -2);
  key->setDouble(u"d", 1.5);
  key->setFloat(u"f", 2.5f);
  key->setBool(u"b", true);
  key->setString(u"s", u"text");
  key->setExpandString(u"e", u"%HOME%");
  StrArray* list = StrArray::acquire();
  list->add(StrBuffer::acquireText(u"one"));
  list->add(StrBuffer::acquireText(u"two"));
  key->setStringArray(u"m", list);
  list->release();
  key->release();
  std::string out = runReg("query 'HKCU\\Software\\VesperTest\\Typed'");
  const char* expected[] = {
      "i8    REG_DWORD    0xffffffff", "u16    REG_DWORD    0xbeef", "i64    REG_BINARY    FEFFFFFFFFFFFFFF",
      "d    REG_BINARY    000000000000F83F", "f    REG_BINARY    00002040", "b    REG_DWORD    0x1",
      "s    REG_SZ    text", "e    REG_EXPAND_SZ    %HOME%", "m    REG_MULTI_SZ    one\\0two",
  };
  for (const char* line : expected) EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

TEST_F(RegDirTest, TypedReadsUseOnlyValuesOfTheExactSize) {
  RegDir* key = created(u"Sizes");
  key->setI8(u"minus", -1);
  key->setU64(u"wide", 0x1122334455667788ull);
  const uint8_t four[4] = {1, 2, 3, 4};
  const uint8_t two[2] = {1, 2};
  writeRaw(key, u"bin4", REG_BINARY, four, 4);
  writeRaw(key, u"bin2", REG_BINARY, two, 2);
  writeRaw(key, u"sz4", REG_SZ, u"1", 4);
  EXPECT_EQ(key->getI8(u"minus", 0), -1);
  EXPECT_EQ(key->getU32(u"minus", 0), 4294967295u);
  EXPECT_EQ(key->getU16(u"minus", 0), 0xFFFF);
  EXPECT_EQ(key->getU64(u"minus", 9), 9u);
  EXPECT_EQ(key->getDouble(u"minus", 0.25), 0.25);
  EXPECT_EQ(key->getU32(u"bin4", 0), 0x04030201u);
  EXPECT_EQ(key->getU32(u"bin2", 5), 5u);
  EXPECT_EQ(key->getU32(u"wide", 5), 5u);
  EXPECT_EQ(key->getU64(u"wide", 0), 0x1122334455667788ull);
  EXPECT_EQ(key->getI64(u"missing", -7), -7);
  // A string of exactly four bytes is read as a number: its registry type is not examined.
  EXPECT_TRUE(key->getBool(u"sz4", false));
  EXPECT_EQ(key->getU32(u"sz4", 0), 0x31u);
  key->setFloat(u"f", -0.5f);
  key->setDouble(u"d", 3.25);
  EXPECT_EQ(key->getFloat(u"f", 0), -0.5f);
  EXPECT_EQ(key->getDouble(u"d", 0), 3.25);
  EXPECT_EQ(key->getFloat(u"d", 1), 1.0f);
  key->release();
}

TEST_F(RegDirTest, StringsByType) {
  RegDir* key = created(u"Strings");
  ASSERT_EQ(setenv("VESPER_REG_TEST_DIR", "/opt/vesper", 1), 0);
  key->setString(u"plain", u"hello");
  key->setString(u"empty", u"");
  key->setExpandString(u"expand", u"%VESPER_REG_TEST_DIR%\\bin");
  key->setU32(u"number", 3);
  writeRaw(key, u"nothing", REG_DWORD, nullptr, 0);
  writeRaw(key, u"unterminated", REG_SZ, u"abc", 6);
  EXPECT_EQ(key->getValueSize(u"empty"), 2u);
  EXPECT_EQ(text(key->getString(u"plain", u"d", nullptr, false)), u"hello");
  EXPECT_EQ(text(key->getString(u"empty", u"d", nullptr, false)), u"");
  EXPECT_EQ(text(key->getString(u"number", u"d", nullptr, false)), u"d");
  EXPECT_EQ(text(key->getString(u"nothing", u"d", nullptr, false)), u"");
  EXPECT_EQ(text(key->getString(u"unterminated", u"d", nullptr, false)), u"abc");
  EXPECT_EQ(text(key->getString(u"missing", u"d", nullptr, false)), u"d");
  bool expandable = false;
  EXPECT_EQ(text(key->getString(u"expand", u"d", &expandable, false)), u"%VESPER_REG_TEST_DIR%\\bin");
  EXPECT_TRUE(expandable);
  expandable = false;
  EXPECT_EQ(text(key->getString(u"expand", u"d", &expandable, true)), u"/opt/vesper\\bin");
  EXPECT_TRUE(expandable);
  key->getString(u"plain", u"d", &expandable, true);
  EXPECT_FALSE(expandable);
  key->release();
}

TEST_F(RegDirTest, ExpansionLongerThanTheUsualRoomIsComplete) {
  std::string longValue(700, 'x');
  ASSERT_EQ(setenv("VESPER_REG_TEST_LONG", longValue.c_str(), 1), 0);
  RegDir* key = created(u"Long");
  key->setExpandString(u"e", u"%VESPER_REG_TEST_LONG%!");
  std::u16string got = text(key->getString(u"e", u"d", nullptr, true));
  EXPECT_EQ(got.size(), 701u);
  EXPECT_EQ(got.back(), u'!');
  key->release();
}

TEST_F(RegDirTest, StringListsRoundTripAndOddDataGivesEmptyLists) {
  RegDir* key = created(u"Lists");
  StrArray* list = StrArray::acquire();
  key->setStringArray(u"none", list);
  EXPECT_EQ(key->getValueSize(u"none"), 4u);
  list->add(StrBuffer::acquireText(u"a"));
  list->add(StrBuffer::acquireText(u"bc"));
  key->setStringArray(u"two", list);
  list->release();
  struct Case {
    const char16_t* name;
    const char16_t* data;
    ULONG bytes;
    uint32_t expected;
  } raw[] = {
      {u"noDoubleZero", u"ab\0c", 8, 0},
      {u"leadingEmpty", u"\0a\0\0", 8, 2},
      {u"stopsAtDoubleZero", u"a\0\0b\0\0", 12, 1},
      {u"tooShort", u"\0", 2, 0},
  };
  for (const Case& c : raw) writeRaw(key, c.name, REG_MULTI_SZ, c.data, c.bytes);
  StrArray* got = key->getStringArray(u"none");
  EXPECT_EQ(got->size(), 0u);
  got->release();
  got = key->getStringArray(u"two");
  ASSERT_EQ(got->size(), 2u);
  EXPECT_EQ(text(got->get(0)->getText()), u"a");
  EXPECT_EQ(text(got->get(1)->getText()), u"bc");
  got->release();
  for (const Case& c : raw) {
    got = key->getStringArray(c.name);
    EXPECT_EQ(got->size(), c.expected);
    got->release();
  }
  key->setString(u"sz", u"a");
  got = key->getStringArray(u"sz");
  EXPECT_EQ(got->size(), 0u);
  got->release();
  key->release();
}

TEST_F(RegDirTest, BytesOfAnyTypeAndRemovingValues) {
  RegDir* key = created(u"Bytes");
  ArrayU08* bytes = ArrayU08::acquire();
  for (uint8_t b : {9, 8, 7}) bytes->add(b);
  key->setBytes(u"raw", bytes);
  key->setU32(u"dword", 0x01020304);
  ArrayU08* got = key->getBytes(u"raw", nullptr);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(got->size(), 3u);
  EXPECT_EQ(got->get(2), 7);
  EXPECT_EQ(key->getBytes(u"dword", got), got);
  EXPECT_EQ(got->size(), 4u);
  EXPECT_EQ(got->get(0), 4);
  EXPECT_EQ(key->getBytes(u"missing", got), nullptr);
  got->release();
  bytes->release();
  EXPECT_EQ(key->removeValue(u"raw"), STATUS_SUCCESS);
  EXPECT_FALSE(key->queryValue(u"raw", nullptr, nullptr, IRegDir::kAnyType));
  EXPECT_NE(key->removeValue(u"raw"), STATUS_SUCCESS);
  uint32_t type = 99, size = 99;
  EXPECT_FALSE(key->queryValue(u"dword", &type, &size, REG_SZ));
  EXPECT_EQ(type, static_cast<uint32_t>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_TRUE(key->queryValue(u"DWORD", &type, &size, REG_DWORD));
  key->release();
}

TEST_F(RegDirTest, LargeValuesGrowTheSharedBuffer) {
  RegDir* key = created(u"Large");
  ArrayU08* big = ArrayU08::acquire();
  for (uint32_t i = 0; i < 100000; ++i) big->add(static_cast<uint8_t>(i * 7));
  key->setBytes(u"big", big);
  ArrayU08* got = key->getBytes(u"big", nullptr);
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(got->size(), big->size());
  EXPECT_EQ(std::memcmp(got->data(), big->data(), big->size()), 0);
  got->release();
  big->release();
  key->release();
}

TEST_F(RegDirTest, DeleteKeyWithAndWithoutSelf) {
  RegDir* top = created(u"Tree");
  top->setU32(u"kept", 1);
  RegDir* deep = created(u"Tree\\A\\B\\C");
  deep->release();
  RegDir* side = created(u"Tree\\D");
  side->setString(u"x", u"y");
  side->release();
  EXPECT_EQ(top->deleteKey(false), STATUS_SUCCESS);
  EXPECT_TRUE(top->exists());
  EXPECT_EQ(top->getU32(u"kept", 0), 1u);
  ArrayP* subKeys = top->getSubKeys();
  EXPECT_EQ(subKeys->size(), 0u);
  subKeys->release();
  EXPECT_EQ(top->deleteKey(true), STATUS_SUCCESS);
  EXPECT_FALSE(top->isOpen());
  RegDir* again = bound(u"Tree");
  EXPECT_FALSE(again->isOpen());
  again->release();
  top->release();
  int status = 0;
  runReg("query 'HKCU\\Software\\VesperTest\\Tree'", &status);
  EXPECT_NE(status, 0);
}

TEST_F(RegDirTest, EnumerationsAndTotals) {
  RegDir* top = created(u"Enum");
  for (const char16_t* name : {u"Alpha", u"alps", u"Beta"}) {
    RegDir* child = created((std::u16string(u"Enum\\") + name).c_str());
    child->setU32(u"n", 1);
    child->release();
  }
  top->setString(u"s", u"ab");
  ArrayP* all = top->getSubKeys();
  EXPECT_EQ(all->size(), 3u);
  all->release();
  ArrayP* al = top->getSubKeysStartingWith(u"AL");
  ASSERT_EQ(al->size(), 2u);
  for (uint32_t i = 0; i < al->size(); ++i) {
    RegDir* child = static_cast<RegDir*>(al->get(i));
    EXPECT_TRUE(child->isOpen());
    EXPECT_EQ(child->getU32(u"n", 0), 1u);
  }
  al->release();
  StrArray* names = top->getValueNames();
  ASSERT_EQ(names->size(), 1u);
  EXPECT_EQ(text(names->get(0)->getText()), u"s");
  names->release();
  uint32_t values = 0, subKeys = 0;
  EXPECT_EQ(top->getTotalSize(true, &values, &subKeys, true), 6u + 3 * 4u);
  EXPECT_EQ(values, 4u);
  EXPECT_EQ(subKeys, 3u);
  top->release();
}

TEST_F(RegDirTest, ClosedObjectsAndRenamedKeys) {
  RegDir* key = created(u"Old");
  EXPECT_TRUE(key->exists());
  key->close();
  EXPECT_FALSE(key->exists());
  // Getters on a closed object open the key again.
  key->setU32(u"v", 2);
  EXPECT_EQ(key->getU32(u"v", 0), 2u);
  EXPECT_EQ(key->rename(u"New"), STATUS_SUCCESS);
  EXPECT_FALSE(key->isOpen());
  key->release();
  RegDir* renamed = bound(u"New");
  EXPECT_EQ(renamed->getU32(u"v", 0), 2u);
  renamed->release();
  RegDir* old = bound(u"Old");
  EXPECT_FALSE(old->isOpen());
  old->release();
}

TEST_F(RegDirTest, NamesTooLongForTheNativeCallsAreRefusedNotCut) {
  std::u16string longPath = u"Software\\VesperTest\\" + std::u16string(40000, u'k');
  RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser, longPath.c_str());
  EXPECT_EQ(key->create(), STATUS_OBJECT_NAME_INVALID);
  EXPECT_NE(key->setU32(u"v", 1), STATUS_SUCCESS);
  key->release();
  RegDir* fine = created(u"Short");
  std::u16string longName(40000, u'v');
  EXPECT_NE(fine->setU32(longName.c_str(), 1), STATUS_SUCCESS);
  StrArray* names = fine->getValueNames();
  EXPECT_EQ(names->size(), 0u);
  names->release();
  fine->release();
}

TEST_F(RegDirTest, SidTextFormats) {
  struct Case {
    uint8_t authority[6];
    uint8_t subCount;
    uint32_t subs[9];
    uint32_t result;
    const char16_t* text;
  } cases[] = {
      {{0, 0, 0, 0, 0, 22}, 2, {1, 1000}, 0, u"S-1-22-1-1000"},
      {{0, 0, 0, 0, 0, 5}, 5, {21, 1, 2, 3, 500}, 0, u"S-1-5-21-1-2-3-500"},
      {{0, 1, 0, 0, 0, 0}, 1, {7}, 0, u"S-1-0x000100000000-7"},
      {{0, 0, 1, 0, 0, 0}, 0, {}, 0, u"S-1-16777216"},
      {{0, 0, 0, 0, 0, 5}, 9, {1, 2, 3, 4, 5, 6, 7, 8, 9}, ERROR_INSUFFICIENT_BUFFER, nullptr},
  };
  for (const Case& c : cases) {
    uint8_t sid[8 + 4 * 9] = {1, c.subCount};
    std::memcpy(sid + 2, c.authority, 6);
    std::memcpy(sid + 8, c.subs, 4u * c.subCount);
    char16_t out[128] = {};
    EXPECT_EQ(s::reg::win::SidText::format(sid, out, s::reg::win::SidText::kTextBlockBytes), c.result);
    if (c.text) {
      EXPECT_EQ(text(out), c.text);
    }
  }
  uint8_t badRevision[8] = {2, 0};
  char16_t out[128];
  EXPECT_NE(s::reg::win::SidText::format(badRevision, out, sizeof out), 0u);
}

TEST_F(RegDirTest, ErrorMessageText) {
  StrBuffer* message = StrBuffer::acquire();
  HMODULE ntdll = s::reg::win::NativeRegistry::instance().getModule();
  s::reg::win::ErrorMessage::compose(ntdll, static_cast<uint32_t>(STATUS_OBJECT_NAME_NOT_FOUND), message);
  EXPECT_EQ(text(message->getText()), u"Error( 3221225524 [0xC0000034L] ) - Object Name not found.");
  s::reg::win::ErrorMessage::compose(ntdll, 0x0000BEEF, message);
  EXPECT_EQ(text(message->getText()), u"Error( 48879 [0x    BEEFL] ) - No NT Error Data was returned??");
  message->release();
}

TEST_F(RegDirTest, AHiveThatIsNotAHiveFailsCleanly) {
  FILE* junk = fopen(hive.c_str(), "wb");
  ASSERT_NE(junk, nullptr);
  fputs("this is not a database, and it must survive", junk);
  fclose(junk);
  RegDir* key = bound(u"Any");
  EXPECT_NE(key->setU32(u"v", 1), STATUS_SUCCESS);
  EXPECT_EQ(key->getU32(u"v", 42), 42u);
  key->release();
  FILE* check = fopen(hive.c_str(), "rb");
  char line[64] = {};
  ASSERT_NE(check, nullptr);
  fgets(line, sizeof line, check);
  fclose(check);
  EXPECT_EQ(std::string(line).rfind("this is not a database", 0), 0u);
}

}  // namespace
