// A white memory DC with a 32-bit top-down DIB section and a font selected, read pixel by pixel.
#pragma once

#include "platform/support/DibSection.h"

#include <win/gdi.h>
#include <win/text.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace text_test {

inline LOGFONTW logFont(LONG height, LONG weight = FW_NORMAL, BYTE quality = CLEARTYPE_QUALITY,
                        const std::u16string& face = u"MS Shell Dlg 2") {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = quality;
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  return lf;
}

class TextCanvas {
 public:
  static constexpr uint32_t kWhite = 0xFFFFFF;

  TextCanvas(int width, int height, const LOGFONTW& lf = logFont(-11)) : width_(width), height_(height) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = testsupport::makeDibSection(dc, width, height, &bits);
    oldBitmap = SelectObject(dc, bitmap);
    font = CreateFontIndirectW(&lf);
    oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    clear();
  }
  ~TextCanvas() {
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  TextCanvas(const TextCanvas&) = delete;
  TextCanvas& operator=(const TextCanvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t at(int x, int y) const { return bits[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF; }
  const uint32_t* pixels() const { return bits; }
  void clear(uint32_t pixel = kWhite) { std::fill_n(bits, static_cast<size_t>(width_) * height_, pixel); }

  // The smallest rectangle holding every pixel that is not `background`; empty when there is none.
  RECT ink(uint32_t background = kWhite) const {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (at(x, y) != background) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    if (box.left == INT_MAX) return RECT{0, 0, 0, 0};
    return box;
  }
  std::vector<uint32_t> snapshot() const { return std::vector<uint32_t>(bits, bits + static_cast<size_t>(width_) * height_); }

  HDC dc = nullptr;
  HFONT font = nullptr;

 private:
  int width_;
  int height_;
  uint32_t* bits = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ oldBitmap = nullptr;
  HGDIOBJ oldFont = nullptr;
};

inline bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace text_test
