#include "display/headless/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace platform::display::headless {

namespace {

// libpng reports fatal errors by longjmp; the row buffer lives outside the jump scope so nothing leaks.
bool writeRows(FILE* file, const std::vector<uint8_t>& rgb, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(rgb.data() + static_cast<size_t>(y) * width * 3));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool PngWriter::write(const std::string& path, const uint32_t* pixels, int width, int height, int strideBytes) {
  if (!pixels || width <= 0 || height <= 0) return false;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(pixels) +
                                                            static_cast<ptrdiff_t>(y) * strideBytes);
    uint8_t* out = rgb.data() + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      out[x * 3] = static_cast<uint8_t>(row[x] >> 16);
      out[x * 3 + 1] = static_cast<uint8_t>(row[x] >> 8);
      out[x * 3 + 2] = static_cast<uint8_t>(row[x]);
    }
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = writeRows(file, rgb, width, height);
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace platform::display::headless
