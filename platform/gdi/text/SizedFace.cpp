#include "gdi/text/SizedFace.h"

#include <freetype/ftoutln.h>
#include <freetype/ftsynth.h>
#include <freetype/tttables.h>
#include <hb-ft.h>

#include <algorithm>
#include <cmath>

namespace platform::gdi::text {

namespace {

FT_Library library() {
  // One library for the process; faces are only used under the drawing lock.
  static FT_Library shared = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) return static_cast<FT_Library>(nullptr);
    return made;
  }();
  return shared;
}

int loadFlags(bool monochrome) {
  return monochrome ? (FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) : (FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP);
}

int scaled(long fontUnits, int pixelSize, int unitsPerEm) {
  return static_cast<int>(std::lround(static_cast<double>(fontUnits) * pixelSize / unitsPerEm));
}

}  // namespace

std::unique_ptr<SizedFace> SizedFace::open(const FaceFile& file, int pixelSize, bool monochrome) {
  if (!library()) return nullptr;
  std::unique_ptr<SizedFace> sized(new SizedFace());
  if (FT_New_Face(library(), file.path.c_str(), file.index, &sized->face_) != 0) {
    sized->face_ = nullptr;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(sized->face_) || FT_Set_Pixel_Sizes(sized->face_, 0, static_cast<FT_UInt>(pixelSize)) != 0)
    return nullptr;
  if (file.oblique) {
    // A slant of about 12 degrees, the usual synthetic italic.
    FT_Matrix shear{0x10000, 0x3800, 0, 0x10000};
    FT_Set_Transform(sized->face_, &shear, nullptr);
  }
  sized->monochrome_ = monochrome;
  sized->embolden_ = file.embolden;
  sized->family_ = file.family;
  sized->font_ = hb_ft_font_create_referenced(sized->face_);
  hb_ft_font_set_load_flags(sized->font_, loadFlags(monochrome));
  sized->readMetrics(pixelSize);
  return sized;
}

double SizedFace::cellPerEm() const {
  int upm = std::max<int>(1, face_->units_per_EM);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  long cell = (os2 && os2->version != 0xFFFF) ? static_cast<long>(os2->usWinAscent) + os2->usWinDescent
                                              : static_cast<long>(face_->ascender) - face_->descender;
  return cell > 0 ? static_cast<double>(cell) / upm : 1.0;
}

bool SizedFace::resize(int pixelSize) {
  if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) != 0) return false;
  hb_ft_font_changed(font_);
  glyphs_.clear();
  readMetrics(pixelSize);
  return true;
}

SizedFace::~SizedFace() {
  if (font_) hb_font_destroy(font_);
  if (face_) FT_Done_Face(face_);
}

void SizedFace::readMetrics(int pixelSize) {
  int upm = std::max<int>(1, face_->units_per_EM);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent_ = scaled(os2->usWinAscent, pixelSize, upm);
    descent_ = scaled(os2->usWinDescent, pixelSize, upm);
    averageWidth_ = scaled(os2->xAvgCharWidth, pixelSize, upm);
  } else {
    ascent_ = scaled(face_->ascender, pixelSize, upm);
    descent_ = scaled(-face_->descender, pixelSize, upm);
  }
  if (averageWidth_ <= 0) averageWidth_ = std::max(1, pixelSize / 2);
  maxWidth_ = std::max(averageWidth_, scaled(face_->max_advance_width, pixelSize, upm));
  underlinePosition_ = std::max(1, scaled(-face_->underline_position, pixelSize, upm));
  underlineThickness_ = std::max(1, scaled(face_->underline_thickness, pixelSize, upm));
}

const GlyphImage& SizedFace::glyph(uint32_t index) {
  auto found = glyphs_.find(index);
  if (found != glyphs_.end()) return found->second;
  GlyphImage& image = glyphs_[index];
  if (FT_Load_Glyph(face_, index, loadFlags(monochrome_)) != 0) return image;
  FT_GlyphSlot slot = face_->glyph;
  if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Embolden(&slot->outline, 48);
  if (FT_Render_Glyph(slot, monochrome_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return image;
  const FT_Bitmap& bitmap = slot->bitmap;
  image.left = slot->bitmap_left;
  image.top = slot->bitmap_top;
  image.width = static_cast<int>(bitmap.width);
  image.height = static_cast<int>(bitmap.rows);
  image.coverage.assign(static_cast<size_t>(image.width) * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    uint8_t* out = image.coverage.data() + static_cast<size_t>(y) * image.width;
    for (int x = 0; x < image.width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      else
        out[x] = row[x];
    }
  }
  return image;
}

}  // namespace platform::gdi::text
