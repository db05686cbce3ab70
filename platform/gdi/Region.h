// A set of pixels as pixman keeps it: non-overlapping rectangles in y-x bands.
// Wraps pixman_region32_t with value semantics so regions can live in containers and states.
#pragma once

#include <win/gdi.h>

#include <pixman.h>

#include <vector>

namespace platform::gdi {

class Region {
 public:
  Region();
  explicit Region(const RECT& rect);
  Region(const Region& other);
  Region& operator=(const Region& other);
  ~Region();

  static Region roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

  pixman_region32_t* raw() { return &region_; }
  const pixman_region32_t* raw() const { return &region_; }
  bool empty() const;
  RECT bounds() const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int kind() const;
  bool contains(int x, int y) const;
  std::vector<RECT> rects() const;
  void setRect(const RECT& rect);
  void clear();
  void offset(int dx, int dy);
  void unite(const Region& other);
  void unite(const RECT& rect);
  void intersect(const Region& other);
  void intersect(const RECT& rect);
  void subtract(const Region& other);
  void subtract(const RECT& rect);
  void exclusiveOr(const Region& other);
  bool operator==(const Region& other) const;

 private:
  pixman_region32_t region_;
};

}  // namespace platform::gdi
