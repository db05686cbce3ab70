#include "xml/NodeReader.h"

#include <win/crt.h>

#include "base/col/_array/ArrayU08.h"
#include "base/str/strbuffer/StrBuffer.h"
#include "xml/Node.h"

namespace s::xml {

// The scans run on a local copy of the position, which the compiler keeps in a register.
void NodeReader::skipWhiteSpace() {
  const char16_t* p = at;
  while (p < end && isWhiteSpace(*p)) ++p;
  at = p;
}

void NodeReader::skipTo(char16_t unit) {
  const char16_t* p = at;
  while (p < end && *p != unit) ++p;
  at = p;
}

void NodeReader::skipPast(char16_t unit) {
  skipTo(unit);
  if (at < end) ++at;
}

const char16_t* NodeReader::readElement(Node* node, uint32_t depth) {
  skipTo(u'<');
  if (at >= end) return end;
  ++at;
  skipWhiteSpace();
  if (at < end && *at == u'!') {
    // A comment: its name is "!" and the two units after it, normally "!--".
    const char16_t* start = at;
    int32_t length = end - at < 3 ? static_cast<int32_t>(end - at) : 3;
    node->setName(start, length);
    at += length;
    while (end - at >= 3) {
      if (at[0] == u'-' && at[1] == u'-' && at[2] == u'>') return at + 3;
      ++at;
    }
    return end;
  }
  const char16_t* start = at;
  while (at < end && !isWhiteSpace(*at) && *at != u'/' && *at != u'>') ++at;
  node->setName(start, static_cast<int32_t>(at - start));
  if (!readAttributes(node)) return end;
  while (at < end && *at != u'>' && *at != u'/') ++at;
  if (at >= end) return end;
  if (*at == u'/') {
    // An empty element written with a closing slash.
    skipPast(u'>');
    return at;
  }
  ++at;
  readContent(node, depth);
  return at;
}

bool NodeReader::readAttributes(Node* node) {
  for (;;) {
    skipWhiteSpace();
    if (at >= end) return false;
    if (*at == u'>' || *at == u'/') return true;
    // The name ends at "=" or a space only; tabs and line breaks belong to it.
    const char16_t* nameStart = at;
    while (at < end && *at != u'=' && *at != u' ') ++at;
    int32_t nameLength = static_cast<int32_t>(at - nameStart);
    if (at < end) ++at;
    skipTo(u'"');
    if (at >= end) return false;
    ++at;
    const char16_t* valueStart = at;
    skipTo(u'"');
    if (at >= end) return false;
    // A nameless attribute would pass for a text run, so it is not kept.
    if (nameLength > 0)
      node->getAttributes()->add(nameStart, nameLength, valueStart, static_cast<int32_t>(at - valueStart));
    ++at;
  }
}

void NodeReader::readTextRun(Node* node) {
  const char16_t* start = at;
  skipTo(u'<');
  node->getAttributes()->add(u"", 0, start, static_cast<int32_t>(at - start));
}

void NodeReader::readContent(Node* node, uint32_t depth) {
  skipWhiteSpace();
  if (at >= end) return;
  if (*at != u'<') {
    readTextRun(node);
    if (at >= end) return;
  }
  for (;;) {
    // Here the current unit is "<".
    if (end - at >= 2 && at[1] == u'/') {
      // The end tag; its name is not compared with the start tag's.
      skipPast(u'>');
      return;
    }
    if (depth + 1 >= kMaxDepth) {
      at = end;
      return;
    }
    Node* child = Node::acquire();
    if (!child) {
      at = end;
      return;
    }
    at = readElement(child, depth + 1);
    if (child->isComment()) {
      child->release();
    } else {
      node->appendChild(child);
    }
    skipWhiteSpace();
    if (at >= end) return;
    if (*at != u'<') {
      readTextRun(node);
      if (at >= end) return;
    }
  }
}

// ---- Node's reading operations ----

namespace {

// The terminator of a text, four units a step: documents run to tens of thousands of units.
const char16_t* terminatorOf(const char16_t* text) {
  const char16_t* at = text;
  while (at[0] && at[1] && at[2] && at[3]) at += 4;
  while (*at) ++at;
  return at;
}

}  // namespace

const char16_t* Node::parse(const char16_t* text) {
  if (!text) return text;
  NodeReader reader(text, terminatorOf(text));
  return reader.readElement(this);
}

void Node::parseBytes(const ArrayU08* bytes) {
  if (!bytes || bytes->size() == 0 || bytes->size() > 0x7FFFFFFFu) return;
  StrBuffer* text = StrBuffer::acquire();
  if (!text) return;
  text->fromUtf8(bytes->data(), false, static_cast<int32_t>(bytes->size()));
  // The decoded text ends at its length, or earlier at a NUL unit, as any NUL-terminated text does.
  parse(text->getText());
  text->release();
}

}  // namespace s::xml
