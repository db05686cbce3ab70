// The read face of a text: its UTF-16 code units and their count. Anything that holds text can be
// appended to, set from or compared with a string buffer through this interface.
#pragma once

#include <cstdint>

#include "base/IObject.h"

namespace s::str {

class IStr : public s::base::IObject {
 public:
  // Number of code units in use.
  virtual uint32_t length() const = 0;
  // The raw units, not necessarily NUL-terminated; may be null when the text is empty.
  virtual const char16_t* getChars() const = 0;
  // The units followed by a NUL; never null (an empty text gives a static empty text).
  virtual const char16_t* getText() = 0;
};

}  // namespace s::str
