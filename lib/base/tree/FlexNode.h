// A general tree node: a 32-bit tag, a value with the destroyer that disposes of it, and an ordered
// list of child nodes that the node owns. The child list is made on first use; its element destroyer
// is the node pool, so releasing a node gives its whole subtree back to the pool.
#pragma once

#include <cstdint>

#include "base/IDestructor.h"
#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::col::_array {
class ArrayP;
}

namespace s::tree {

class FlexNode : public s::base::IObject, public s::thread::IPoolable {
  S_CLASS_NAME(u"s_tree_FlexNode")
  S_POOLED(FlexNode)

 public:
  FlexNode();
  // Destroys the children for good (not pooled) and disposes of the value.
  ~FlexNode() override;
  FlexNode(const FlexNode&) = delete;
  FlexNode& operator=(const FlexNode&) = delete;

  uint32_t getTag() const { return tag; }
  void setTag(uint32_t t) { tag = t; }

  void* getValue() const { return value; }
  s::base::IDestructor* getValueDestroyer() const { return valueDestroyer; }
  // Disposes of the current value through its destroyer (unless it is the same value), then keeps the
  // new one; a null destroyer means the node does not own the value.
  void setValue(void* v, s::base::IDestructor* destroyer);
  // Hands the value to the caller without disposing of it.
  void* takeValue();

  uint32_t childCount() const;
  // Null when i is not below the child count.
  FlexNode* childAt(uint32_t i) const;
  // The child list, made on first use (null only when memory runs out).
  s::col::_array::ArrayP* getChildren();
  // The node takes ownership of the child; false (and the child stays the caller's) when memory runs out.
  bool appendChild(FlexNode* child);
  // An index past the end appends.
  bool insertChild(uint32_t at, FlexNode* child);
  // Removes child i and hands it to the caller; null when there is none.
  FlexNode* removeChild(uint32_t i);

  // Disposes of the value, releases the child list with the children, clears the tag.
  void reset() override;

 private:
  void disposeValue();

  uint32_t tag = 0;
  void* value = nullptr;
  s::base::IDestructor* valueDestroyer = nullptr;
  s::col::_array::ArrayP* children = nullptr;
};

}  // namespace s::tree
