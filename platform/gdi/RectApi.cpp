// Rectangle arithmetic with the documented rules: empty means no area, results of failed
// intersections are emptied.
#include <win/gdi.h>

#include <algorithm>

namespace {

bool empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL WINAPI CopyRect(LPRECT dest, const RECT* source) {
  if (!dest || !source) return FALSE;
  *dest = *source;
  return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* rect) { return !rect || empty(*rect); }

BOOL WINAPI PtInRect(const RECT* rect, POINT p) {
  return rect && p.x >= rect->left && p.x < rect->right && p.y >= rect->top && p.y < rect->bottom;
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}

BOOL WINAPI IntersectRect(LPRECT dest, const RECT* a, const RECT* b) {
  if (!dest || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (empty(r)) {
    *dest = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *dest = r;
  return TRUE;
}

BOOL WINAPI UnionRect(LPRECT dest, const RECT* a, const RECT* b) {
  if (!dest || !a || !b) return FALSE;
  if (empty(*a)) {
    *dest = empty(*b) ? RECT{0, 0, 0, 0} : *b;
  } else if (empty(*b)) {
    *dest = *a;
  } else {
    *dest = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                 std::max(a->bottom, b->bottom)};
  }
  return !empty(*dest);
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
