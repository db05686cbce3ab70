// The single-pass reader of the XML dialect. It walks a UTF-16 text once, from its start to a fixed
// end, and never looks beyond that end whatever the text holds; malformed input yields the partial
// tree read so far. Values are stored as they stand, still escaped.
#pragma once

#include <cstdint>

namespace s::xml {

class Node;

class NodeReader {
 public:
  // Elements nested deeper than this are not read: the reader stops there, which keeps the
  // recursion of reading, writing and releasing a tree within the stack.
  static constexpr uint32_t kMaxDepth = 256;

  NodeReader(const char16_t* begin, const char16_t* end) : at(begin), end(end) {}

  // Reads one element (or comment) into `node`; answers the position after it (the end when the
  // text ended first).
  const char16_t* readElement(Node* node) { return readElement(node, 0); }

 private:
  const char16_t* readElement(Node* node, uint32_t depth);
  // Reads the attributes of a start tag up to its ">" or "/"; false when the text ended first.
  bool readAttributes(Node* node);
  // Reads the content after a start tag up to and including the end tag.
  void readContent(Node* node, uint32_t depth);
  // Stores the text up to the next "<" as a text run of `node`.
  void readTextRun(Node* node);
  void skipWhiteSpace();
  void skipTo(char16_t unit);
  // Moves past the next `unit`; the end when there is none.
  void skipPast(char16_t unit);

  static bool isWhiteSpace(char16_t u) { return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r'; }

  const char16_t* at;
  const char16_t* const end;
};

}  // namespace s::xml
