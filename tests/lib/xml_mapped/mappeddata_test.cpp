#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/col/_array/ArrayU08.h"
#include "xml/MappedData.h"
#include "xml/Node.h"

using s::col::_array::ArrayU08;
using s::xml::MappedData;

namespace {

std::u16string text(const char16_t* t) { return t ? std::u16string(t) : std::u16string(u"<null>"); }

std::u16string widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

class XmlMappedDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesper-xmlmap-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
    file = folder + "/savedata/SaveData.xml";
  }
  void TearDown() override {
    if (store) store->release();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  void open() {
    if (store) store->release();
    store = MappedData::openXmlFile(widen(file).c_str());
    ASSERT_NE(store, nullptr);
  }
  std::string fileText() const {
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  std::string folder;
  std::string file;
  MappedData* store = nullptr;
};

TEST_F(XmlMappedDataTest, ANewStoreWritesTheDocumentLayout) {
  open();
  store->setString(u"Language", u"", u"English");
  store->setI32(u"MainWindow\\View", u"X", 120);
  store->save();
  EXPECT_EQ(fileText(),
            "<savedata><Language>English</Language><MainWindow><View X=\"120\"></View></MainWindow></savedata>");
}

TEST_F(XmlMappedDataTest, GettersOnAMissingPathCreateNothing) {
  open();
  EXPECT_EQ(store->getI32(u"A/B", u"x", 5), 5);
  EXPECT_FALSE(store->findPath(u"A/B"));
  EXPECT_EQ(store->getRootNode()->childCount(), 0u);
  ArrayU08* bytes = store->getBytes(u"A/B", u"b", nullptr);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->size(), 0u);
  bytes->release();
}

TEST_F(XmlMappedDataTest, BothSeparatorsAndUpdatedAttributesMoveToTheEnd) {
  open();
  store->setI32(u"A/B", u"x", 5);
  EXPECT_EQ(store->getI32(u"A\\B", u"x", 0), 5);
  store->setI32(u"A", u"x", 1);
  store->setI32(u"A", u"y", 3);
  store->setI32(u"A", u"X", 2);
  EXPECT_EQ(store->getI32(u"A", u"x", 0), 2);
  store->save();
  EXPECT_EQ(fileText(), "<savedata><A y=\"3\" X=\"2\"><B x=\"5\"></B></A></savedata>");
}

TEST_F(XmlMappedDataTest, PathsAreCaseSensitiveButTheCacheIsNot) {
  open();
  store->setI32(u"View", u"x", 1);
  store->setI32(u"Other", u"x", 0);
  // A fresh lookup of "view" finds no element: segments match exactly.
  EXPECT_FALSE(store->findPath(u"view"));
  store->setI32(u"view", u"x", 2);
  EXPECT_EQ(store->getRootNode()->childCount(), 3u);
  // Right after "view", a lookup of "VIEW" reuses the element of the previous path.
  EXPECT_EQ(store->getI32(u"VIEW", u"x", 0), 2);
  EXPECT_EQ(store->getI32(u"View", u"x", 0), 2);
  EXPECT_EQ(store->getI32(u"Other", u"x", 9), 0);
  EXPECT_EQ(store->getI32(u"View", u"x", 0), 1);
}

TEST_F(XmlMappedDataTest, TextWithSpacesSurvivesTheFile) {
  open();
  store->setString(u"Skin", u"", u"Classic LG");
  store->save();
  EXPECT_NE(fileText().find("<Skin>Classic&#160;LG</Skin>"), std::string::npos) << fileText();
  open();
  EXPECT_EQ(text(store->getString(u"Skin", u"", u"", nullptr, false)), u"Classic LG");
}

TEST_F(XmlMappedDataTest, BooleansReadOnlyOneAndTrueAsTrue) {
  open();
  store->setBool(u"B", u"on", true);
  store->setBool(u"B", u"off", false);
  struct Case {
    const char16_t* stored;
    bool expected;
  } cases[] = {{u"1", true}, {u"true", true}, {u"10", true}, {u"TRUE", false}, {u"yes", false}, {u"0", false}};
  for (const Case& c : cases) {
    store->setString(u"B", u"v", c.stored);
    EXPECT_EQ(store->getBool(u"B", u"v", !c.expected), c.expected) << std::string(c.stored, c.stored + 2);
  }
  EXPECT_TRUE(store->getBool(u"B", u"on", false));
  EXPECT_FALSE(store->getBool(u"B", u"off", true));
  store->save();
  EXPECT_NE(fileText().find("on=\"1\" off=\"0\""), std::string::npos) << fileText();
}

TEST_F(XmlMappedDataTest, RemovePathRemovesOnlyTheLastSegment) {
  open();
  store->setString(u"Language", u"", u"English");
  store->setI32(u"MainWindow/View", u"X", 1);
  store->setI32(u"MainWindow/Other", u"X", 1);
  // The cached element lies inside the removed subtree; the store must not keep it.
  EXPECT_TRUE(store->findPath(u"MainWindow/View"));
  store->removePath(u"mainwindow/VIEW");
  EXPECT_TRUE(store->findPath(u"MainWindow/View"));  // "mainwindow" does not exist: nothing removed
  store->removePath(u"MainWindow/view");
  EXPECT_FALSE(store->findPath(u"MainWindow/View"));
  EXPECT_TRUE(store->findPath(u"MainWindow/Other"));
  store->removePath(u"LANGUAGE");
  EXPECT_FALSE(store->findPath(u"Language"));
  store->save();
  EXPECT_EQ(fileText(), "<savedata><MainWindow><Other X=\"1\"></Other></MainWindow></savedata>");
}

TEST_F(XmlMappedDataTest, NumbersBytesAndStringLists) {
  open();
  store->setU8(u"N", u"u8", 255);
  store->setI64(u"N", u"i64", -9000000000ll);
  store->setU64(u"N", u"u64", 42);
  store->setDouble(u"N", u"d", 0.25);
  ArrayU08* bytes = ArrayU08::acquire();
  for (uint8_t b : {0x00, 0xAB, 0x7F}) bytes->add(b);
  store->setBytes(u"N", u"raw", bytes);
  EXPECT_EQ(store->getU8(u"N", u"u8", 0), 255);
  EXPECT_EQ(store->getI64(u"N", u"i64", 0), -9000000000ll);
  EXPECT_EQ(store->getU64(u"N", u"u64", 0), 42u);
  EXPECT_EQ(store->getDouble(u"N", u"d", 0), 0.25);
  bytes->clear();
  EXPECT_EQ(store->getBytes(u"N", u"raw", bytes), bytes);
  ASSERT_EQ(bytes->size(), 3u);
  EXPECT_EQ(bytes->get(1), 0xAB);
  bytes->release();
  EXPECT_EQ(store->getStringArray(u"N", u"list"), nullptr);
  store->setStringArray(u"N", u"list", nullptr);
  EXPECT_FALSE(store->hasValue(u"N", u"list"));
  store->removeValue(u"N", u"u8");
  EXPECT_FALSE(store->hasValue(u"N", u"u8"));
  store->save();
  EXPECT_NE(fileText().find("raw=\"00ab7f\""), std::string::npos) << fileText();
  EXPECT_NE(fileText().find("d=\"0.250000\""), std::string::npos) << fileText();
}

TEST_F(XmlMappedDataTest, AutoSaveWritesEveryChangeAndReleaseDoesNotSave) {
  open();
  EXPECT_FALSE(store->getAutoSave());
  store->setI32(u"A", u"x", 1);
  EXPECT_FALSE(std::filesystem::exists(file));
  store->setAutoSave(true);
  store->setI32(u"A", u"x", 2);
  EXPECT_EQ(fileText(), "<savedata><A x=\"2\"></A></savedata>");
  store->removeValue(u"A", u"x");
  EXPECT_EQ(fileText(), "<savedata><A></A></savedata>");
  store->setAutoSave(false);
  store->setI32(u"A", u"y", 3);
  store->release();
  store = nullptr;
  EXPECT_EQ(fileText(), "<savedata><A></A></savedata>");
  open();
  EXPECT_FALSE(store->getAutoSave());
  EXPECT_FALSE(store->hasValue(u"A", u"y"));
}

TEST_F(XmlMappedDataTest, ExistingFilesKeepTheirRootAndEmptyFilesGiveAnUnnamedOne) {
  std::filesystem::create_directories(folder + "/savedata");
  {
    std::ofstream out(file, std::ios::binary);
    out << "<settings><A x=\"7\"></A></settings>";
  }
  open();
  EXPECT_EQ(store->getI32(u"A", u"x", 0), 7);
  EXPECT_EQ(text(store->getRootNode()->getName()), u"settings");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
  }
  open();
  EXPECT_EQ(store->getRootNode()->getNameLength(), 0);
}

}  // namespace
