// Helpers shared by the string tests: a scoped pooled buffer and readable views of texts.
#pragma once

#include <cstdio>
#include <string>

#include "base/str/strbuffer/StrBuffer.h"

namespace strtest {

using s::str::strbuffer::StrBuffer;

// A buffer acquired for one test scope and released at its end.
class ScopedBuffer {
 public:
  ScopedBuffer() : buffer(StrBuffer::acquire()) {}
  explicit ScopedBuffer(const char16_t* text) : buffer(StrBuffer::acquireText(text)) {}
  explicit ScopedBuffer(const std::u16string& text) : buffer(StrBuffer::acquire()) {
    buffer->appendChars(text.data(), static_cast<int32_t>(text.size()));
  }
  ~ScopedBuffer() { buffer->release(); }
  ScopedBuffer(const ScopedBuffer&) = delete;
  ScopedBuffer& operator=(const ScopedBuffer&) = delete;
  StrBuffer* operator->() const { return buffer; }
  StrBuffer* get() const { return buffer; }

 private:
  StrBuffer* buffer;
};

inline std::u16string textOf(const StrBuffer* buffer) {
  return buffer->length() ? std::u16string(buffer->getChars(), buffer->length()) : std::u16string();
}

// ASCII as is, everything else as \uXXXX, for failure messages.
inline std::string printable(const std::u16string& text) {
  std::string out;
  for (char16_t u : text) {
    if (u >= 0x20 && u < 0x7F) {
      out += static_cast<char>(u);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(u));
      out += escaped;
    }
  }
  return out;
}

inline std::string printable(const StrBuffer* buffer) { return printable(textOf(buffer)); }

}  // namespace strtest
