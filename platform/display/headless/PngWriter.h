// Writes 32-bit 0x00RRGGBB pixel rows as an 8-bit RGB PNG file through libpng.
#pragma once

#include <cstdint>
#include <string>

namespace platform::display::headless {

class PngWriter {
 public:
  // Answers false when the file cannot be written; a partial file is removed.
  static bool write(const std::string& path, const uint32_t* pixels, int width, int height, int strideBytes);
};

}  // namespace platform::display::headless
