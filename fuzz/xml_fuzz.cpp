// Feeds arbitrary bytes to the XML reader: once as UTF-8 through parseBytes, once as UTF-16 units
// through parse, each in a buffer of exactly the input's size plus its terminator, so that any read
// beyond the end is caught. The tree read is then written back and read again.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "xml/Node.h"

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
using s::xml::Node;

namespace {

// Reads the writer's line of `node` and requires the same line again.
void checkWriteBack(const Node* node) {
  StrBuffer* first = node->toText(nullptr, false);
  Node* again = Node::acquire();
  again->parse(first->getText());
  StrBuffer* second = again->toText(nullptr, false);
  // The line of any named element reads back to the same line; an unnamed root (a text without
  // markup) or a comment has no line of its own to compare.
  if (node->getName() && node->getName()[0] != 0 && !node->isComment() &&
      (first->length() != second->length() ||
       std::memcmp(first->getChars(), second->getChars(), first->length() * sizeof(char16_t)) != 0)) {
    __builtin_trap();
  }
  second->release();
  again->release();
  first->release();
}

void readEveryValue(const Node* node) {
  StrBuffer* text = StrBuffer::acquire();
  const s::xml::Attributes* attributes = node->getAttributes();
  for (uint32_t i = 0; i < attributes->size(); ++i) {
    node->getString(text, attributes->get(i)->name, nullptr, true);
    (void)node->getI64(attributes->get(i)->name, 0);
    (void)node->getBool(attributes->get(i)->name, false);
  }
  text->release();
  for (uint32_t i = 0; i < node->childCount(); ++i) readEveryValue(node->getChild(i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;

  ArrayU08* bytes = ArrayU08::acquire();
  bytes->append(data, static_cast<uint32_t>(size));
  Node* fromBytes = Node::acquire();
  fromBytes->parseBytes(bytes);
  readEveryValue(fromBytes);
  fromBytes->release();
  bytes->release();

  // The raw bytes as UTF-16 units, terminated right after the last one.
  size_t units = size / 2;
  char16_t* text = new char16_t[units + 1];
  std::memcpy(text, data, units * sizeof(char16_t));
  text[units] = 0;
  Node* fromUnits = Node::acquire();
  const char16_t* after = fromUnits->parse(text);
  if (after < text || after > text + units) __builtin_trap();
  readEveryValue(fromUnits);
  checkWriteBack(fromUnits);
  fromUnits->release();
  delete[] text;
  return 0;
}
