// The two entity schemes of the XML dialect: one for attribute values, one for element text. Values
// are escaped when code sets them and unescaped only when they are read as strings.
#pragma once

#include <cstdint>

#include "base/str/strbuffer/StrBuffer.h"

namespace s::xml {

class Escaping {
 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;

  // Appends `text` (`length` units, -1 = up to the terminator) escaped for an attribute value:
  // line feed, carriage return, double quote, "&" and "<" become entities.
  static void appendAttributeEscaped(StrBuffer* out, const char16_t* text, int32_t length);
  // Appends `text` escaped for element text: line feed, carriage return, "&", "<", ">" and every
  // space become entities, so spaces survive the trimming of the reader.
  static void appendTextEscaped(StrBuffer* out, const char16_t* text, int32_t length);

  // Appends a stored attribute value with its five entities decoded; any other "&" stays.
  static void appendAttributeUnescaped(StrBuffer* out, const char16_t* value, int32_t length);
  // Appends a stored text run without its leading white space, with its entities decoded and its
  // trailing white space trimmed, except what the white-space entities produced.
  static void appendTextUnescaped(StrBuffer* out, const char16_t* value, int32_t length);
};

}  // namespace s::xml
