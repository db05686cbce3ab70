#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "XmlTestSupport.h"
#include "base/col/_array/ArrayU08.h"

using namespace xmltest;
using s::col::_array::ArrayU08;

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

uint32_t countNodes(const Node* node) {
  uint32_t total = 1;
  for (uint32_t i = 0; i < node->childCount(); ++i) total += countNodes(node->getChild(i));
  return total;
}

class XmlFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/xml_files_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { (void)system(("rm -rf '" + folder + "'").c_str()); }
  std::string folder;
};

// The language packs go through the reader and the writer: the written line reads back to the
// same tree and the same line, and through a file byte for byte.
TEST_F(XmlFiles, LanguagePacksRoundTrip) {
  const char* packs[] = {"main.xml", "menu_short.xml", "menu_long.xml", "menu_folder.xml"};
  for (const char* pack : packs) {
    std::string source = sourceRoot() + "/resources/lang/" + pack;
    ASSERT_FALSE(readFile(source).empty()) << source;
    NodeHolder first;
    ASSERT_TRUE(first->loadPath(widen(source).c_str())) << source;
    EXPECT_TRUE(first->nameEquals(u"lang", 4)) << pack;
    EXPECT_GT(first->childCount(), 0u) << pack;
    std::u16string line = textOf(first.get());
    EXPECT_EQ(line.find(u"<!--"), std::u16string::npos) << "comments never reach the tree: " << pack;

    NodeHolder second;
    second->parse(line.c_str());
    EXPECT_EQ(textOf(second.get()), line) << pack;
    EXPECT_EQ(countNodes(second.get()), countNodes(first.get())) << pack;

    std::string copy = folder + "/copy/" + pack;
    ASSERT_TRUE(first->savePath(widen(copy).c_str())) << copy;
    ArrayU08* bytes = first->toBytes(nullptr, false);
    std::string saved = readFile(copy);
    EXPECT_EQ(saved, std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size())) << pack;
    EXPECT_NE(saved.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    bytes->release();
    NodeHolder third;
    ASSERT_TRUE(third->loadPath(widen(copy).c_str()));
    EXPECT_EQ(textOf(third.get()), line) << pack;
  }
}

TEST_F(XmlFiles, MainPackKeepsItsTexts) {
  NodeHolder pack;
  ASSERT_TRUE(pack->loadPath(widen(sourceRoot() + "/resources/lang/main.xml").c_str()));
  Node* languages = pack->childByName(u"languages", 9);
  ASSERT_NE(languages, nullptr);
  ASSERT_GT(languages->childCount(), 0u);
  EXPECT_EQ(stringOf(languages->getChild(0), u"engName"), u"English");
  EXPECT_NE(pack->childByName(u"entries", 7), nullptr);
}

TEST_F(XmlFiles, SaveMakesMissingFoldersAndReplacesTheFile) {
  std::string path = folder + "/a/b/c/data.xml";
  NodeHolder node;
  node->setName(u"savedata");
  node->addChild(u"Language")->setString(u"", u"English");
  node->addChild(u"MainWindow")->addChild(u"View")->setI32(u"X", 120);
  ASSERT_TRUE(node->savePath(widen(path).c_str()));
  EXPECT_EQ(readFile(path),
            "<savedata><Language>English</Language><MainWindow><View X=\"120\"></View></MainWindow></savedata>");
  // A shorter document replaces the whole content.
  NodeHolder small;
  small->setName(u"s");
  ASSERT_TRUE(small->savePath(widen(path).c_str()));
  EXPECT_EQ(readFile(path), "<s></s>");
  // Windows-style separators name the same file.
  std::string backslashed = path;
  for (char& c : backslashed)
    if (c == '/') c = '\\';
  NodeHolder loaded;
  ASSERT_TRUE(loaded->loadPath(widen(backslashed).c_str()));
  EXPECT_EQ(textOf(loaded.get()), u"<s></s>");
}

TEST_F(XmlFiles, LoadingAMissingFileLeavesTheNodeAsItWas) {
  NodeHolder node;
  node->setName(u"keep");
  EXPECT_FALSE(node->loadPath(widen(folder + "/missing.xml").c_str()));
  EXPECT_FALSE(node->loadPath(widen(folder).c_str())) << "a folder is not a file";
  EXPECT_EQ(textOf(node.get()), u"<keep></keep>");
}

}  // namespace
