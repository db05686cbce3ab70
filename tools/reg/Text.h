// Text conversions of the reg tool: UTF-8 on the console and in files, UTF-16 in the registry.
#pragma once

#include <string>

namespace reg {

class Text {
 public:
  static std::u16string fromUtf8(const std::string& text);
  // Unpaired surrogates become U+FFFD.
  static std::string toUtf8(const std::u16string& text);
  static bool equalsIgnoreCase(const std::u16string& a, const std::u16string& b);
  static std::u16string upper(const std::u16string& text);
};

}  // namespace reg
