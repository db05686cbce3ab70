#include "base/tree/Flex.h"

#include "base/thread/EasyPooler.h"
#include "base/tree/FlexNode.h"

namespace s::tree {

S_POOLED_IMPL(Flex, s::thread::EasyPooler::kDefaultLimit)

Flex::Flex() { reset(); }

Flex::~Flex() {
  if (root) static_cast<s::base::IObject*>(root)->destroy(1);
}

FlexNode* Flex::getRoot() {
  if (!root) root = FlexNode::acquire();
  return root;
}

void Flex::setRoot(FlexNode* node) {
  if (node == root) return;
  if (root) root->release();
  root = node;
}

FlexNode* Flex::takeRoot() {
  FlexNode* taken = root;
  root = nullptr;
  return taken;
}

void Flex::reset() {
  if (root) {
    root->release();
    root = nullptr;
  }
}

}  // namespace s::tree
