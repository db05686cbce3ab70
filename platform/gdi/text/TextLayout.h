// The lines DrawTextW shows for a text in a rectangle's width: prefixes taken out, broken at line
// breaks and, with word breaking, between words; a line too wide cut with an ellipsis when asked.
#pragma once

#include "gdi/text/FontInstance.h"

#include <win/text.h>

#include <string>
#include <vector>

namespace platform::gdi::text {

struct LaidLine {
  std::u16string text;
  std::vector<uint32_t> underlined;  // indices in `text`
  int width = 0;
  int ascent = 0;  // from the top of the line to the baseline
  int height = 0;
};

struct TextLayout {
  std::vector<LaidLine> lines;
  int width = 0;       // the widest line
  int height = 0;  // all lines together

  static TextLayout lay(FontInstance& font, std::u16string_view text, UINT format, int width);
};

}  // namespace platform::gdi::text
