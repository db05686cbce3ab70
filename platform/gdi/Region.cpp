#include "gdi/Region.h"

#include <algorithm>
#include <cmath>

namespace platform::gdi {

namespace {

// Normalises a rectangle the way region constructors do: swapped edges are put in order.
pixman_box32_t box(const RECT& r) {
  return pixman_box32_t{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                        std::max(r.top, r.bottom)};
}

}  // namespace

Region::Region() { pixman_region32_init(&region_); }

Region::Region(const RECT& rect) {
  pixman_box32_t b = box(rect);
  if (b.x1 == b.x2 || b.y1 == b.y2)
    pixman_region32_init(&region_);
  else
    pixman_region32_init_rect(&region_, b.x1, b.y1, static_cast<unsigned>(b.x2 - b.x1),
                              static_cast<unsigned>(b.y2 - b.y1));
}

Region::Region(const Region& other) {
  pixman_region32_init(&region_);
  pixman_region32_copy(&region_, const_cast<pixman_region32_t*>(&other.region_));
}

Region& Region::operator=(const Region& other) {
  if (this != &other) pixman_region32_copy(&region_, const_cast<pixman_region32_t*>(&other.region_));
  return *this;
}

Region::~Region() { pixman_region32_fini(&region_); }

Region Region::roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  int width = right - left, height = bottom - top;
  int ew = std::min(std::abs(ellipseWidth), width), eh = std::min(std::abs(ellipseHeight), height);
  if (ew < 2 || eh < 2) return Region(RECT{left, top, right, bottom});
  std::vector<pixman_box32_t> rows;
  double rx = ew / 2.0, ry = eh / 2.0;
  for (int y = 0; y < height; ++y) {
    // Distance of this row's centre from the corner ellipses' centre line, zero in the straight middle.
    double dy = 0;
    if (y + 0.5 < ry) dy = ry - (y + 0.5);
    else if (y + 0.5 > height - ry) dy = (y + 0.5) - (height - ry);
    int inset = 0;
    if (dy > 0) {
      double dx = rx * std::sqrt(std::max(0.0, 1.0 - (dy * dy) / (ry * ry)));
      inset = static_cast<int>(std::lround(rx - dx));
    }
    if (left + inset < right - inset) rows.push_back(pixman_box32_t{left + inset, top + y, right - inset, top + y + 1});
  }
  Region out;
  pixman_region32_init_rects(out.raw(), rows.data(), static_cast<int>(rows.size()));
  return out;
}

bool Region::empty() const { return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&region_)); }

RECT Region::bounds() const {
  if (empty()) return RECT{0, 0, 0, 0};
  const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&region_));
  return RECT{b->x1, b->y1, b->x2, b->y2};
}

int Region::kind() const {
  int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&region_));
  return n == 0 ? NULLREGION : (n == 1 ? SIMPLEREGION : COMPLEXREGION);
}

bool Region::contains(int x, int y) const {
  return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&region_), x, y, nullptr);
}

std::vector<RECT> Region::rects() const {
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&region_), &n);
  std::vector<RECT> out;
  out.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out.push_back(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return out;
}

void Region::setRect(const RECT& rect) { *this = Region(rect); }

void Region::clear() {
  pixman_region32_fini(&region_);
  pixman_region32_init(&region_);
}

void Region::offset(int dx, int dy) { pixman_region32_translate(&region_, dx, dy); }

void Region::unite(const Region& other) {
  pixman_region32_union(&region_, &region_, const_cast<pixman_region32_t*>(&other.region_));
}

void Region::unite(const RECT& rect) { unite(Region(rect)); }

void Region::intersect(const Region& other) {
  pixman_region32_intersect(&region_, &region_, const_cast<pixman_region32_t*>(&other.region_));
}

void Region::intersect(const RECT& rect) { intersect(Region(rect)); }

void Region::subtract(const Region& other) {
  pixman_region32_subtract(&region_, &region_, const_cast<pixman_region32_t*>(&other.region_));
}

void Region::subtract(const RECT& rect) { subtract(Region(rect)); }

void Region::exclusiveOr(const Region& other) {
  Region both(*this);
  both.intersect(other);
  unite(other);
  subtract(both);
}

bool Region::operator==(const Region& other) const {
  return pixman_region32_equal(const_cast<pixman_region32_t*>(&region_),
                               const_cast<pixman_region32_t*>(&other.region_));
}

}  // namespace platform::gdi
