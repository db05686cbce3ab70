// One attribute of an element, or one run of its text when the name is empty. A plain record made
// and recycled by the attribute factory; the value is kept in its escaped form.
#pragma once

#include <cstdint>

namespace s::xml {

struct AttrRecord {
  int32_t nameLength;
  char16_t* name;  // nameLength + 1 units, NUL-terminated; empty for a text run
  int32_t valueLength;
  char16_t* value;  // valueLength + 1 units, NUL-terminated, escaped; lies in the name's block

  bool isTextRun() const { return nameLength == 0; }
};

}  // namespace s::xml
