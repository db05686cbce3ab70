#include "base/tree/FlexNode.h"

#include "base/cleaner/CleanerIObject.h"
#include "base/col/_array/ArrayP.h"
#include "base/thread/EasyPooler.h"

namespace s::tree {

// The pool face is written out so that a released node gives up its subtree before entering the
// pool's lock; the pool's own reset then finds nothing left to do.
::s::thread::EasyPooler* FlexNode::pool() {
  static ::s::thread::EasyPooler* const instance =
      ::s::thread::EasyPooler::createFor<FlexNode>(::s::thread::EasyPooler::kDefaultLimit);
  return instance;
}

FlexNode* FlexNode::acquire() { return static_cast<FlexNode*>(pool()->generate()); }

void FlexNode::release() {
  reset();
  void* self = this;
  pool()->destruct(&self);
}

::s::base::IObject* FlexNode::newInstance() const { return acquire(); }

FlexNode::FlexNode() { reset(); }

FlexNode::~FlexNode() {
  disposeValue();
  if (children) {
    children->disposeAll(s::cleaner::CleanerIObject::shared());
    children->release();
    children = nullptr;
  }
}

void FlexNode::disposeValue() {
  if (value && valueDestroyer) valueDestroyer->destruct(&value);
  value = nullptr;
  valueDestroyer = nullptr;
}

void FlexNode::setValue(void* v, s::base::IDestructor* destroyer) {
  if (v != value) disposeValue();
  value = v;
  valueDestroyer = destroyer;
}

void* FlexNode::takeValue() {
  void* taken = value;
  value = nullptr;
  valueDestroyer = nullptr;
  return taken;
}

uint32_t FlexNode::childCount() const { return children ? children->size() : 0; }

FlexNode* FlexNode::childAt(uint32_t i) const {
  if (i >= childCount()) return nullptr;
  return static_cast<FlexNode*>(children->get(i));
}

s::col::_array::ArrayP* FlexNode::getChildren() {
  if (!children) {
    children = s::col::_array::ArrayP::acquire();
    if (children) children->setElementDestroyer(pool());
  }
  return children;
}

bool FlexNode::appendChild(FlexNode* child) { return insertChild(childCount(), child); }

bool FlexNode::insertChild(uint32_t at, FlexNode* child) {
  if (!child || !getChildren()) return false;
  uint32_t before = children->size();
  void* pointer = child;
  children->insert(at, &pointer, 1);
  return children->size() > before;
}

FlexNode* FlexNode::removeChild(uint32_t i) {
  if (i >= childCount()) return nullptr;
  void* taken = nullptr;
  children->take(i, &taken, 1);
  return static_cast<FlexNode*>(taken);
}

void FlexNode::reset() {
  disposeValue();
  if (children) {
    children->release();
    children = nullptr;
  }
  tag = 0;
}

}  // namespace s::tree
