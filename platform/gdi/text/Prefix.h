// Mnemonic prefixes in texts: "&x" shows x underlined, "&&" shows one "&".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi::text {

struct PrefixedText {
  std::u16string text;               // what is shown
  std::vector<uint32_t> underlined;  // indices in `text` of the characters to underline
};

class Prefix {
 public:
  static PrefixedText strip(std::u16string_view text);
};

}  // namespace platform::gdi::text
