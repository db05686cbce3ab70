// The holder of one tree of FlexNodes: it owns the root and with it the whole tree.
#pragma once

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::tree {

class FlexNode;

class Flex : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_tree_Flex")
  S_POOLED(Flex)

 public:
  Flex();
  // Destroys the tree for good (not pooled).
  ~Flex() override;
  Flex(const Flex&) = delete;
  Flex& operator=(const Flex&) = delete;

  // The root, acquired on first use (null only when memory runs out).
  FlexNode* getRoot();
  bool hasRoot() const { return root != nullptr; }
  // Takes ownership of `node` as the root, releasing the previous tree (unless it is the same node).
  void setRoot(FlexNode* node);
  // Hands the root and its tree to the caller; the holder is left without one.
  FlexNode* takeRoot();

  // Releases the tree.
  void reset() override;

 private:
  FlexNode* root = nullptr;
};

}  // namespace s::tree
