// Lays one line of text out as glyphs: splits it into runs of one face, one script and one direction
// (right-to-left runs found by the Unicode bidirectional algorithm), shapes each run with HarfBuzz and
// places the runs in visual order.
#pragma once

#include "gdi/text/ShapedText.h"

#include <string_view>

namespace platform::gdi::text {

class FontInstance;

class Shaper {
 public:
  static ShapedText shape(FontInstance& font, std::u16string_view text, bool rtl);
};

}  // namespace platform::gdi::text
