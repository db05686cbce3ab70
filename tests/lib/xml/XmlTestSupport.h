// Small helpers of the XML tests: parsing into a pooled node, the writer's text as a std::u16string,
// and the location of the source tree (found from this file's own path).
#pragma once

#include <string>

#include "base/str/strbuffer/StrBuffer.h"
#include "xml/Node.h"

namespace xmltest {

using s::str::strbuffer::StrBuffer;
using s::xml::Node;

// Releases a node at the end of a scope.
struct NodeHolder {
  explicit NodeHolder(Node* n = Node::acquire()) : node(n) {}
  ~NodeHolder() {
    if (node) node->release();
  }
  NodeHolder(const NodeHolder&) = delete;
  NodeHolder& operator=(const NodeHolder&) = delete;
  Node* operator->() const { return node; }
  Node* get() const { return node; }
  Node* node;
};

inline std::u16string textOf(const Node* node) {
  StrBuffer* out = node->toText(nullptr, false);
  std::u16string text(out->getChars() ? out->getChars() : u"", out->length());
  out->release();
  return text;
}

inline std::u16string stringOf(const Node* node, const char16_t* name, const char16_t* fallback = u"<none>") {
  StrBuffer* out = node->getString(nullptr, name, fallback, false);
  std::u16string text(out->getChars() ? out->getChars() : u"", out->length());
  out->release();
  return text;
}

inline std::u16string rawOf(const Node* node, const char16_t* name) {
  const char16_t* raw = node->getRaw(name, u"<none>");
  return std::u16string(raw);
}

inline std::u16string widen(const std::string& utf8) {
  StrBuffer* text = StrBuffer::acquire();
  text->fromUtf8(utf8.data(), false, static_cast<int32_t>(utf8.size()));
  std::u16string out(text->getChars() ? text->getChars() : u"", text->length());
  text->release();
  return out;
}

inline std::string narrow(const std::u16string& wide) {
  std::string out;
  for (char16_t u : wide) out += u < 0x80 ? static_cast<char>(u) : '?';
  return out;
}

// The source tree's root: this file lives in tests/lib/xml/.
inline std::string sourceRoot() {
  std::string here = __FILE__;
  for (int up = 0; up < 4; ++up) here = here.substr(0, here.find_last_of('/'));
  return here;
}

}  // namespace xmltest
