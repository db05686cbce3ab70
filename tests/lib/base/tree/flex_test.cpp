// Tree nodes owning their values and children, and the tree holder.
#include <gtest/gtest.h>

#include "base/col/_array/ArrayP.h"
#include "base/number/S64Value.h"
#include "base/thread/EasyPooler.h"
#include "base/tree/Flex.h"
#include "base/tree/FlexNode.h"

namespace {

using s::number::S64Value;
using s::tree::Flex;
using s::tree::FlexNode;

FlexNode* nodeTagged(uint32_t tag) {
  FlexNode* node = FlexNode::acquire();
  node->setTag(tag);
  return node;
}

// root(1) -> a(2) -> c(4); root -> b(3)
FlexNode* smallTree() {
  FlexNode* root = nodeTagged(1);
  FlexNode* a = nodeTagged(2);
  root->appendChild(a);
  root->appendChild(nodeTagged(3));
  a->appendChild(nodeTagged(4));
  return root;
}

TEST(FlexNode, ChildrenKeepTheirOrder) {
  FlexNode* root = nodeTagged(0);
  EXPECT_EQ(root->childCount(), 0u);
  EXPECT_EQ(root->childAt(0), nullptr);
  struct Step {
    uint32_t at;
    uint32_t tag;
  };
  const Step steps[] = {{0, 20}, {1, 40}, {1, 30}, {0, 10}, {99, 50}};
  for (const Step& s : steps) EXPECT_TRUE(root->insertChild(s.at, nodeTagged(s.tag)));
  ASSERT_EQ(root->childCount(), 5u);
  for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(root->childAt(i)->getTag(), 10u * (i + 1)) << i;
  EXPECT_EQ(root->childAt(5), nullptr);
  EXPECT_FALSE(root->appendChild(nullptr));

  FlexNode* taken = root->removeChild(2);
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->getTag(), 30u);
  EXPECT_EQ(root->childCount(), 4u);
  EXPECT_EQ(root->removeChild(4), nullptr);
  taken->release();
  root->release();
}

TEST(FlexNode, ReleasingANodeGivesItsWholeSubtreeAndValuesBack) {
  FlexNode* root = smallTree();
  root->childAt(0)->childAt(0)->setValue(S64Value::create(9), S64Value::pool());
  uint32_t nodesBefore = FlexNode::pool()->freeCount();
  uint32_t valuesBefore = S64Value::pool()->freeCount();
  root->release();
  EXPECT_EQ(FlexNode::pool()->freeCount(), nodesBefore + 4);
  EXPECT_EQ(S64Value::pool()->freeCount(), valuesBefore + 1);

  FlexNode* recycled = FlexNode::acquire();
  EXPECT_EQ(recycled->getTag(), 0u);
  EXPECT_EQ(recycled->getValue(), nullptr);
  EXPECT_EQ(recycled->childCount(), 0u);
  recycled->release();
}

TEST(FlexNode, ValueOwnership) {
  FlexNode* node = FlexNode::acquire();
  S64Value* first = S64Value::create(1);
  S64Value* second = S64Value::create(2);
  uint32_t before = S64Value::pool()->freeCount();

  node->setValue(first, S64Value::pool());
  node->setValue(first, S64Value::pool());  // the same value again is not disposed of
  EXPECT_EQ(S64Value::pool()->freeCount(), before);
  node->setValue(second, S64Value::pool());  // replacing disposes of the old one
  EXPECT_EQ(S64Value::pool()->freeCount(), before + 1);
  EXPECT_EQ(node->getValue(), second);
  EXPECT_EQ(node->getValueDestroyer(), S64Value::pool());

  EXPECT_EQ(node->takeValue(), second);  // taken: the node no longer owns it
  node->reset();
  EXPECT_EQ(S64Value::pool()->freeCount(), before + 1);
  second->release();

  int unowned = 0;
  node->setValue(&unowned, nullptr);  // no destroyer: the node only refers to it
  node->release();
}

TEST(FlexNode, DestroyingANodeDestroysItsChildren) {
  FlexNode* root = smallTree();
  root->childAt(1)->setValue(S64Value::create(5), S64Value::pool());
  uint32_t nodesBefore = FlexNode::pool()->freeCount();
  uint32_t valuesBefore = S64Value::pool()->freeCount();
  static_cast<s::base::IObject*>(root)->destroy(1);  // the leak checker sees the children freed
  EXPECT_EQ(FlexNode::pool()->freeCount(), nodesBefore);
  EXPECT_EQ(S64Value::pool()->freeCount(), valuesBefore + 1);
}

TEST(FlexNode, ChildListDisposesThroughTheNodePool) {
  FlexNode* root = smallTree();
  s::col::_array::ArrayP* children = root->getChildren();
  EXPECT_EQ(children->getElementDestroyer(), FlexNode::pool());
  EXPECT_EQ(children->size(), 2u);
  root->release();
}

TEST(Flex, HoldsOneTree) {
  Flex* tree = Flex::acquire();
  EXPECT_FALSE(tree->hasRoot());
  FlexNode* root = tree->getRoot();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(tree->getRoot(), root);
  root->appendChild(nodeTagged(7));

  FlexNode* replacement = smallTree();
  uint32_t before = FlexNode::pool()->freeCount();
  tree->setRoot(replacement);  // the old root and its child go back
  EXPECT_EQ(FlexNode::pool()->freeCount(), before + 2);
  EXPECT_EQ(tree->getRoot()->getTag(), 1u);
  tree->setRoot(tree->getRoot());  // setting the same root keeps it
  EXPECT_EQ(tree->getRoot()->childCount(), 2u);

  FlexNode* taken = tree->takeRoot();
  EXPECT_FALSE(tree->hasRoot());
  tree->setRoot(taken);

  uint32_t beforeRelease = FlexNode::pool()->freeCount();
  tree->release();
  EXPECT_EQ(FlexNode::pool()->freeCount(), beforeRelease + 4);
  EXPECT_EQ(std::u16string(Flex::kClassName), u"s_tree_Flex");
  EXPECT_EQ(std::u16string(FlexNode::kClassName), u"s_tree_FlexNode");
}

}  // namespace
