// A string laid out on one line: its glyphs in visual order, left to right, with pixel positions.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::gdi::text {

struct PlacedGlyph {
  uint16_t face = 0;     // index into the font's faces
  uint32_t index = 0;    // glyph index in that face
  int x = 0;             // pen position, pixels from the start of the line
  int y = 0;             // offset below the baseline
  int advance = 0;       // pixels to the next pen position
  uint32_t cluster = 0;  // first UTF-16 unit of the characters this glyph draws
};

struct ShapedText {
  std::vector<PlacedGlyph> glyphs;
  // From the start of the line to the end of the last advance or ink, whichever is further; any ink
  // left of the start has been moved right so that it starts at 0.
  int width = 0;
  // How far the ink reaches above and below the baseline, in pixels.
  int above = 0;
  int below = 0;
  // Glyphs that no installed face could draw.
  int missing = 0;
  // The columns that the characters from `first` up to `last` (exclusive) cover, for underlining one.
  bool span(uint32_t first, uint32_t last, int* left, int* right) const;
};

}  // namespace platform::gdi::text
