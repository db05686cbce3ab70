#include <string>

#include "TempHive.h"
#include "base/col/_array/ArrayU08.h"
#include "base/str/strarray/StrArray.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "reg/MappedData.h"
#include "reg/win/RegDir.h"

using s::col::_array::ArrayU08;
using s::reg::IRegDir;
using s::reg::MappedData;
using s::reg::win::RegDir;

namespace {

std::u16string text(const char16_t* t) { return t ? std::u16string(t) : std::u16string(u"<null>"); }

class RegMappedDataTest : public testing_reg::TempHive {
 protected:
  void SetUp() override {
    TempHive::SetUp();
    store = MappedData::openRegistry(u"Software\\Tarn\\Tarn Vesper\\SaveData");
    ASSERT_NE(store, nullptr);
  }
  void TearDown() override {
    store->release();
    TempHive::TearDown();
  }
  static bool keyExists(const char16_t* path) {
    RegDir* key = RegDir::acquireKey(IRegDir::kCurrentUser,
                                     (std::u16string(u"Software\\Tarn\\Tarn Vesper\\SaveData\\") + path).c_str());
    bool open = key->isOpen();
    key->release();
    return open;
  }
  MappedData* store = nullptr;
};

TEST_F(RegMappedDataTest, GettersOnAMissingPathCreateNothing) {
  EXPECT_EQ(store->getI32(u"A/B", u"x", 5), 5);
  EXPECT_FALSE(store->findPath(u"A/B"));
  EXPECT_FALSE(store->hasValue(u"A/B", u"x"));
  EXPECT_EQ(text(store->getString(u"A", u"", u"dflt", nullptr, false)), u"dflt");
  EXPECT_EQ(store->getBytes(u"A", u"b", nullptr), nullptr);
  EXPECT_FALSE(keyExists(u"A"));
}

TEST_F(RegMappedDataTest, SettersCreateTheKeysAndBothSeparatorsAddressTheSamePlace) {
  store->setI32(u"A/B", u"x", 5);
  EXPECT_TRUE(keyExists(u"A"));
  EXPECT_TRUE(keyExists(u"A\\B"));
  EXPECT_EQ(store->getI32(u"A\\B", u"x", 0), 5);
  EXPECT_EQ(store->getI32(u"a/b", u"X", 0), 5);
  EXPECT_TRUE(store->findPath(u"A/B"));
  std::string out = runReg("query 'HKCU\\Software\\Tarn\\Tarn Vesper\\SaveData\\A\\B' /v x");
  EXPECT_NE(out.find("x    REG_DWORD    0x5"), std::string::npos) << out;
}

TEST_F(RegMappedDataTest, ValueTypesFollowTheSetters) {
  store->setI8(u"T", u"i8", -1);
  store->setU16(u"T", u"u16", 65535);
  store->setI64(u"T", u"i64", -5);
  store->setDouble(u"T", u"d", 0.5);
  store->setBool(u"T", u"b", false);
  store->setString(u"", u"", u"English");
  store->setExpandString(u"T", u"e", u"%X%");
  EXPECT_EQ(store->getI8(u"T", u"i8", 0), -1);
  EXPECT_EQ(store->getU32(u"T", u"i8", 0), 4294967295u);
  EXPECT_EQ(store->getU16(u"T", u"u16", 0), 65535);
  EXPECT_EQ(store->getI64(u"T", u"i64", 0), -5);
  EXPECT_EQ(store->getU32(u"T", u"i64", 3), 3u);
  EXPECT_EQ(store->getDouble(u"T", u"d", 0), 0.5);
  EXPECT_FALSE(store->getBool(u"T", u"b", true));
  EXPECT_EQ(text(store->getString(u"", u"", u"", nullptr, false)), u"English");
  bool expandable = false;
  store->getString(u"T", u"e", u"", &expandable, false);
  EXPECT_TRUE(expandable);
  std::string out = runReg("query 'HKCU\\Software\\Tarn\\Tarn Vesper\\SaveData\\T'");
  for (const char* line : {"i8    REG_DWORD    0xffffffff", "i64    REG_BINARY    FBFFFFFFFFFFFFFF",
                           "b    REG_DWORD    0x0", "e    REG_EXPAND_SZ    %X%"})
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
  out = runReg("query 'HKCU\\Software\\Tarn\\Tarn Vesper\\SaveData' /ve");
  EXPECT_NE(out.find("(Default)    REG_SZ    English"), std::string::npos) << out;
}

TEST_F(RegMappedDataTest, StringListsAreNeverStored) {
  s::str::strarray::StrArray* list = s::str::strarray::StrArray::acquire();
  list->add(s::str::strbuffer::StrBuffer::acquireText(u"a"));
  store->setStringArray(u"L", u"list", list);
  list->release();
  EXPECT_EQ(store->getStringArray(u"L", u"list"), nullptr);
  EXPECT_FALSE(store->hasValue(u"L", u"list"));
}

TEST_F(RegMappedDataTest, RemovingValuesAndPaths) {
  store->setU32(u"MainWindow/View", u"X", 120);
  store->setU32(u"MainWindow", u"Keep", 1);
  store->setString(u"Language", u"", u"English");
  store->removeValue(u"MainWindow", u"Keep");
  EXPECT_FALSE(store->hasValue(u"MainWindow", u"Keep"));
  store->removePath(u"MainWindow/View");
  EXPECT_FALSE(keyExists(u"MainWindow\\View"));
  EXPECT_TRUE(keyExists(u"MainWindow"));
  // The path cache must not hand back the deleted key.
  EXPECT_FALSE(store->findPath(u"MainWindow/View"));
  EXPECT_EQ(store->getU32(u"MainWindow/View", u"X", 9), 9u);
  // The store never deletes its own key.
  store->removePath(u"");
  EXPECT_TRUE(store->findPath(u""));
  EXPECT_EQ(text(store->getString(u"Language", u"", u"", nullptr, false)), u"English");
}

TEST_F(RegMappedDataTest, BytesRoundTrip) {
  ArrayU08* bytes = ArrayU08::acquire();
  bytes->add(0xAB);
  bytes->add(0x01);
  store->setBytes(u"Bin", u"b", bytes);
  bytes->clear();
  ASSERT_EQ(store->getBytes(u"Bin", u"b", bytes), bytes);
  ASSERT_EQ(bytes->size(), 2u);
  EXPECT_EQ(bytes->get(0), 0xAB);
  bytes->release();
}

TEST_F(RegMappedDataTest, AutoSaveIsOffAfterOpeningAndAfterRelease) {
  EXPECT_FALSE(store->getAutoSave());
  store->setAutoSave(true);
  store->setU32(u"P", u"v", 1);
  EXPECT_TRUE(store->getAutoSave());
  store->release();
  store = MappedData::openRegistry(u"Software\\Tarn\\Tarn Vesper\\SaveData");
  EXPECT_FALSE(store->getAutoSave());
  EXPECT_EQ(store->getU32(u"P", u"v", 0), 1u);
}

}  // namespace
