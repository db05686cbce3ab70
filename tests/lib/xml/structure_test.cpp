#include <gtest/gtest.h>

#include "XmlTestSupport.h"
#include "base/thread/EasyPooler.h"
#include "xml/AttrFactory.h"

using namespace xmltest;

namespace {

TEST(XmlStructure, ChildNamesMatchByLengthOrIgnoringCase) {
  NodeHolder root;
  root->addChild(u"settings");
  root->addChild(u"language");
  root->addChild(u"Language");
  const struct {
    const char16_t* name;
    int32_t length;
    bool found;
    uint32_t index;
  } cases[] = {
      {u"Language", 8, true, 2},    // exact, case-sensitive
      {u"language", 8, true, 1},
      {u"LANGUAGE", 8, false, 0},
      {u"LANGUAGE", -1, true, 1},   // whole names, ASCII case ignored: the first wins
      {u"languages", 8, true, 1},   // only the first `length` units of the given text count
      {u"lang", 4, false, 0},       // the name must have exactly that many units
      {u"lang", -1, false, 0},
      {u"", 0, false, 0},
  };
  for (const auto& c : cases) {
    uint32_t index = 99;
    EXPECT_EQ(root->findChild(c.name, &index, c.length), c.found) << narrow(c.name) << " " << c.length;
    if (c.found) {
      EXPECT_EQ(index, c.index) << narrow(c.name);
      EXPECT_EQ(root->childByName(c.name, c.length), root->getChild(c.index));
    } else {
      EXPECT_EQ(root->childByName(c.name, c.length), nullptr);
    }
  }
}

TEST(XmlStructure, BuiltTreeIsWrittenInOrder) {
  NodeHolder root;
  root->setName(u"savedata");
  root->addChild(u"Language")->setString(u"", u"English");
  Node* view = root->addChild(u"MainWindow")->addChild(u"View");
  view->setI32(u"X", 120);
  Node* extra = Node::acquire();
  extra->setName(u"tail-x", 4);
  root->appendChild(extra);
  EXPECT_EQ(textOf(root.get()),
            u"<savedata><Language>English</Language><MainWindow><View X=\"120\"></View></MainWindow>"
            u"<tail></tail></savedata>");
  EXPECT_EQ(root->getChild(2), extra);
}

TEST(XmlStructure, RemovingAChildReleasesIt) {
  NodeHolder root;
  root->addChild(u"a");
  Node* b = root->addChild(u"b");
  b->addChild(u"inner")->setI32(u"x", 1);
  root->addChild(u"c");
  root->removeChild(1);
  EXPECT_EQ(root->childCount(), 2u);
  EXPECT_EQ(textOf(root.get()), u"<><a></a><c></c></>");
  root->removeChild(7);  // out of range: nothing happens
  EXPECT_EQ(root->childCount(), 2u);
  // The released node comes back from the pool empty.
  Node* again = Node::acquire();
  EXPECT_EQ(again->getName(), nullptr);
  EXPECT_EQ(again->childCount(), 0u);
  EXPECT_EQ(again->getAttributes()->size(), 0u);
  again->release();
}

TEST(XmlStructure, ReleasingARootGivesTheWholeTreeBack) {
  // Warm the pools so that the counts below only move by what this tree holds.
  Node* root = Node::acquire();
  root->parse(u"<r a=\"1\"><x b=\"2\">t</x><y/></r>");
  const uint32_t nodesBefore = Node::pool()->freeCount();
  const uint32_t recordsBefore = s::xml::AttrFactory::shared()->freeCount();
  root->release();
  EXPECT_EQ(Node::pool()->freeCount(), nodesBefore + 3);
  EXPECT_EQ(s::xml::AttrFactory::shared()->freeCount(), recordsBefore + 3);
}

TEST(XmlStructure, ClearEmptiesTheNode) {
  NodeHolder node;
  node->parse(u"<r a=\"1\"><x/>text</r>");
  node->clear();
  EXPECT_EQ(node->getName(), nullptr);
  EXPECT_EQ(node->childCount(), 0u);
  EXPECT_EQ(node->getAttributes()->size(), 0u);
  node->dumpTree(u"");  // walks, writes nothing
}

TEST(XmlStructure, CommentNodesAreRecognisedByTheirName) {
  NodeHolder node;
  node->setName(u"!--");
  EXPECT_TRUE(node->isComment());
  node->setName(u"a!");
  EXPECT_FALSE(node->isComment());
  node->setName(nullptr);
  EXPECT_FALSE(node->isComment());
}

TEST(XmlStructure, FactoryIdentifiesItselfAndWeighsRecords) {
  s::xml::AttrFactory* factory = s::xml::AttrFactory::shared();
  EXPECT_EQ(factory->getClassName(), s::xml::AttrFactory::kClassName);
  EXPECT_EQ(std::u16string(factory->getClassName()), u"s_xml_AttrFactory");
  s::xml::AttrRecord* record = factory->make(u"name", -1, u"value", 3);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->nameLength, 4);
  EXPECT_EQ(std::u16string(record->value), u"val");
  EXPECT_EQ(factory->weightOf(record), 16u);
  factory->give(record);
  EXPECT_EQ(std::u16string(Node::kClassName), u"s_xml_Node");
  EXPECT_EQ(std::u16string(s::xml::Attributes::kClassName), u"s_xml_Attributes");
}

}  // namespace

namespace {

// Names of every length, short ones kept in the node and long ones in a block of their own, read,
// renamed and written alike.
TEST(XmlStructure, NamesOfEveryLengthSurviveRenamingAndWriting) {
  const std::u16string names[] = {u"", u"a", u"entry", u"fifteen_units__", u"sixteen_units___",
                                  u"a_name_much_longer_than_any_element_of_the_language_packs"};
  for (const std::u16string& name : names) {
    for (const std::u16string& next : names) {
      NodeHolder node;
      node->setName(name.c_str(), static_cast<int32_t>(name.size()));
      EXPECT_EQ(std::u16string(node->getName()), name);
      EXPECT_EQ(node->getNameLength(), static_cast<int32_t>(name.size()));
      node->setName(next.c_str());
      EXPECT_EQ(std::u16string(node->getName()), next) << narrow(name) << " -> " << narrow(next);
      EXPECT_TRUE(node->nameEquals(next.c_str(), static_cast<int32_t>(next.size())));
      EXPECT_EQ(textOf(node.get()), u"<" + next + u"></" + next + u">");
    }
  }
}

TEST(XmlStructure, RenamingWithAPartOfTheOwnNameOrWithNothing) {
  const std::u16string names[] = {u"entries", u"a_name_longer_than_fifteen_units"};
  for (const std::u16string& name : names) {
    NodeHolder node;
    node->setName(name.c_str());
    node->setName(node->getName() + 2, 3);
    EXPECT_EQ(std::u16string(node->getName()), name.substr(2, 3)) << narrow(name);
    node->setName(nullptr);
    EXPECT_EQ(node->getName(), nullptr);
    EXPECT_EQ(node->getNameLength(), 0);
  }
}

}  // namespace
