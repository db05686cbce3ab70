// Draws one line of text as the text calls do: the background cell when the mode is opaque, the
// glyphs, the font's underline and strike-out, and the underlines of mnemonic characters.
#pragma once

#include "gdi/text/GlyphPainter.h"
#include "gdi/text/SelectedFont.h"

#include <string_view>
#include <vector>

namespace platform::gdi::text {

struct LineToPaint {
  std::u16string_view text;
  int x = 0;    // logical left of the line
  int top = 0;  // logical top of the line's cell
  int ascent = -1;  // from the top to the baseline; -1 for the font's ascent
  int height = -1;  // of the cell; -1 for the font's height
  bool rtl = false;
  bool opaque = false;  // fill the cell with the background colour first
  bool glyphs = true;   // false draws only the mnemonic underlines
  const std::vector<uint32_t>* underlined = nullptr;
};

class LinePainter {
 public:
  static void paint(DeviceContext& dc, const SelectedFont& font, const LineToPaint& line, const Region& clip);
};

}  // namespace platform::gdi::text
