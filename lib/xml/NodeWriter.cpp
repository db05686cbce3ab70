// The writer: an element and its subtree on one line, values copied as stored (they are escaped
// already), every element with a start and an end tag.
#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "xml/Node.h"

namespace s::xml {

void Node::appendText(StrBuffer* out) const {
  out->appendChar(u'<');
  out->appendChars(name, nameLength);
  uint32_t n = attributes.size();
  const AttrRecord* text = nullptr;
  for (uint32_t i = 0; i < n; ++i) {
    const AttrRecord* record = attributes.get(i);
    if (record->isTextRun()) {
      // Only the first text run of an element is written back.
      if (!text) text = record;
      continue;
    }
    out->appendChar(u' ');
    out->appendChars(record->name, record->nameLength);
    out->appendChars(u"=\"", 2);
    out->appendChars(record->value, record->valueLength);
    out->appendChar(u'"');
  }
  out->appendChar(u'>');
  if (text) out->appendChars(text->value, text->valueLength);
  uint32_t childTotal = children.size();
  for (uint32_t i = 0; i < childTotal; ++i) getChild(i)->appendText(out);
  out->appendChars(u"</", 2);
  out->appendChars(name, nameLength);
  out->appendChar(u'>');
}

Node::StrBuffer* Node::toText(StrBuffer* target, bool append) const {
  StrBuffer* out = target ? target : StrBuffer::acquire();
  if (!out) return nullptr;
  if (!append) out->clear();
  appendText(out);
  return out;
}

Node::ArrayU08* Node::toBytes(ArrayU08* target, bool append) const {
  StrBuffer* text = toText(nullptr, false);
  if (!text) return target;
  ArrayU08* out = text->toUtf8(target, append);
  text->release();
  return out;
}

}  // namespace s::xml
