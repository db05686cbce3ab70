// One font face opened at one pixel size for one rendering mode: the FreeType face, the HarfBuzz font
// that shapes with it, and the glyph images drawn so far. Glyph images are cached for the face's life.
#pragma once

#include "gdi/text/FaceMatcher.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::gdi::text {

// A glyph's coverage, 0 to 255 a pixel, placed relative to the pen on the baseline.
struct GlyphImage {
  int left = 0;  // from the pen to the first column
  int top = 0;   // from the baseline up to the first row
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

class SizedFace {
 public:
  // Null when the file cannot be opened as a scalable face.
  static std::unique_ptr<SizedFace> open(const FaceFile& file, int pixelSize, bool monochrome);
  ~SizedFace();
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;

  bool hasChar(uint32_t c) const { return FT_Get_Char_Index(face_, c) != 0; }
  hb_font_t* shaper() const { return font_; }
  // Extra advance a synthetic bold adds to each glyph, in 26.6 pixels.
  int boldExtra() const { return embolden_ ? 64 : 0; }
  const GlyphImage& glyph(uint32_t index);
  const std::string& family() const { return family_; }
  // The Windows cell height (ascent plus descent) per pixel of character height.
  double cellPerEm() const;
  bool resize(int pixelSize);

  // Vertical metrics in pixels, as the Windows metrics of the face give them.
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  int underlinePosition() const { return underlinePosition_; }  // below the baseline
  int underlineThickness() const { return underlineThickness_; }
  int averageWidth() const { return averageWidth_; }
  int maxWidth() const { return maxWidth_; }

 private:
  SizedFace() = default;
  void readMetrics(int pixelSize);

  FT_Face face_ = nullptr;
  hb_font_t* font_ = nullptr;
  bool monochrome_ = false;
  bool embolden_ = false;
  std::string family_;
  int ascent_ = 0;
  int descent_ = 0;
  int underlinePosition_ = 1;
  int underlineThickness_ = 1;
  int averageWidth_ = 0;
  int maxWidth_ = 0;
  std::unordered_map<uint32_t, GlyphImage> glyphs_;
};

}  // namespace platform::gdi::text
