// A 32-bit pixel buffer (0x00RRGGBB) that windows and bitmaps draw into, with its pixman image.
// Rows are stored top-down or bottom-up as a DIB section asks; the pixman image always sees them
// top-down (a bottom-up buffer is addressed with a negative stride).
#pragma once

#include "display/Display.h"

#include <pixman.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::gdi {

class Surface {
 public:
  // A zeroed surface; null when the size is not positive or too large.
  static std::shared_ptr<Surface> create(int width, int height, bool bottomUp = false);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  bool bottomUp() const { return bottomUp_; }
  // Start of the memory block (the bottom row for a bottom-up surface), as a DIB section exposes it.
  void* memory() { return storage_.data(); }
  uint32_t* row(int y) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(top_) + static_cast<ptrdiff_t>(y) * stride_);
  }
  const uint32_t* row(int y) const {
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(top_) + static_cast<ptrdiff_t>(y) * stride_);
  }
  int strideBytes() const { return stride_; }
  pixman_image_t* image() const { return image_; }
  display::SurfaceView view() const { return display::SurfaceView{top_, width_, height_, stride_}; }
  // Copies the overlapping part of another surface to the top-left corner.
  void copyFrom(const Surface& other);

 private:
  Surface(int width, int height, bool bottomUp);

  int width_;
  int height_;
  bool bottomUp_;
  std::vector<uint32_t> storage_;
  uint32_t* top_ = nullptr;
  int stride_ = 0;
  pixman_image_t* image_ = nullptr;
};

}  // namespace platform::gdi
