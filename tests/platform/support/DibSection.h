// A 32-bit DIB section for tests that draw and then read the pixels straight from its memory.
#pragma once

#include <win/gdi.h>

#include <cstdint>

namespace testsupport {

// A width x height section of 32-bit pixels, rows top-down unless asked otherwise; `*pixels` points
// at its memory (null when the section could not be made).
inline HBITMAP makeDibSection(HDC dc, int width, int height, uint32_t** pixels, bool topDown = true) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = topDown ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = static_cast<uint32_t*>(bits);
  return bitmap;
}

}  // namespace testsupport
