#include "gdi/Surface.h"

#include <algorithm>
#include <cstring>

namespace platform::gdi {

std::shared_ptr<Surface> Surface::create(int width, int height, bool bottomUp) {
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
  std::shared_ptr<Surface> surface(new Surface(width, height, bottomUp));
  if (!surface->image_) return nullptr;
  return surface;
}

Surface::Surface(int width, int height, bool bottomUp)
    : width_(width), height_(height), bottomUp_(bottomUp), storage_(static_cast<size_t>(width) * height, 0) {
  int rowBytes = width * 4;
  if (bottomUp) {
    top_ = storage_.data() + static_cast<size_t>(height - 1) * width;
    stride_ = -rowBytes;
  } else {
    top_ = storage_.data();
    stride_ = rowBytes;
  }
  image_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height, top_, stride_);
}

Surface::~Surface() {
  if (image_) pixman_image_unref(image_);
}

void Surface::copyFrom(const Surface& other) {
  int w = std::min(width_, other.width_), h = std::min(height_, other.height_);
  for (int y = 0; y < h; ++y) std::memcpy(row(y), other.row(y), static_cast<size_t>(w) * 4);
}

}  // namespace platform::gdi
