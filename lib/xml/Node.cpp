// The node's structure: its name and its children.
#include "xml/Node.h"

#include <win/crt.h>

#include <cstring>

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/EasyPooler.h"
#include "xml/AttrFactory.h"

namespace s::xml {

S_POOLED_IMPL(Node, s::thread::EasyPooler::kDefaultLimit)

// Children go back to the node pool whenever the array disposes of them.
Node::Node() : children(Node::pool()) { reset(); }

Node::~Node() {
  children.freeMemory();
  dropName();
}

void Node::reset() {
  dropName();
  attributes.reset();
  // The children go back to the node pool under one entry into its lock (each is reset first, which
  // gives back its own subtree), then the storage is freed.
  if (children.size() > 0) {
    pool()->destructMany(static_cast<void**>(children.elementAt(0)), children.size());
    children.setSize(0);
  }
  children.freeMemory();
}

void Node::dropName() {
  if (name != inlineName) delete[] name;
  name = nullptr;
  nameLength = 0;
}

void Node::clear() { reset(); }

void Node::dumpTree(const char16_t* indent) {
  StrBuffer* deeper = StrBuffer::acquire();
  if (!deeper) return;
  if (indent) deeper->appendText(indent);
  deeper->appendChar(u'\t');
  uint32_t n = children.size();
  for (uint32_t i = 0; i < n; ++i) getChild(i)->dumpTree(deeper->getText());
  deeper->release();
}

void Node::setName(const char16_t* text, int32_t length) {
  if (!text) {
    dropName();
    return;
  }
  if (length < 0) length = lstrlenW(text);
  // The new name may be a part of the old one, so it is copied before the old block goes.
  char16_t* oldBlock = name != inlineName ? name : nullptr;
  if (length > kInlineNameUnits) {
    char16_t* block = AttrFactory::copyUnits(text, length);
    if (!block) {
      dropName();
      return;
    }
    name = block;
  } else {
    std::memmove(inlineName, text, static_cast<size_t>(length) * sizeof(char16_t));
    inlineName[length] = 0;
    name = inlineName;
  }
  nameLength = length;
  delete[] oldBlock;
}

bool Node::nameEquals(const char16_t* text, int32_t length) const {
  if (length < 0) return _wcsicmp(name, text) == 0;
  if (nameLength != length) return false;
  if (length == 0) return true;
  return text && std::memcmp(name, text, static_cast<size_t>(length) * sizeof(char16_t)) == 0;
}

Node* Node::addChild(const char16_t* childName, int32_t length) {
  Node* child = acquire();
  if (!child) return nullptr;
  child->setName(childName, length);
  uint32_t before = children.size();
  appendChild(child);
  // Out of memory the child was given back; never hand out a released node.
  return children.size() == before ? nullptr : child;
}

void Node::appendChild(Node* child) {
  if (!child || child == this) return;
  uint32_t before = children.size();
  children.appendPointer(child);
  // A child that found no room is still owned by this node: give it back rather than lose it.
  if (children.size() == before) child->release();
}

void Node::removeChild(uint32_t index) {
  if (index >= children.size()) return;
  Node* child = getChild(index);
  children.remove(index, 1);
  child->release();
}

bool Node::findChild(const char16_t* childName, uint32_t* index, int32_t length) const {
  uint32_t n = children.size();
  for (uint32_t i = 0; i < n; ++i) {
    if (getChild(i)->nameEquals(childName, length)) {
      if (index) *index = i;
      return true;
    }
  }
  return false;
}

Node* Node::childByName(const char16_t* childName, int32_t length) const {
  uint32_t index = 0;
  return findChild(childName, &index, length) ? getChild(index) : nullptr;
}

}  // namespace s::xml
