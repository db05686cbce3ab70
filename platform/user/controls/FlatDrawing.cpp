#include "user/controls/FlatDrawing.h"

#include <algorithm>
#include <cmath>

namespace platform::user::controls {

void fillRect(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void frameRect(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void dottedFrame(HDC dc, const RECT& r, COLORREF color) {
  for (int x = r.left; x < r.right; x += 2) {
    SetPixel(dc, x, r.top, color);
    SetPixel(dc, x, r.bottom - 1, color);
  }
  for (int y = r.top; y < r.bottom; y += 2) {
    SetPixel(dc, r.left, y, color);
    SetPixel(dc, r.right - 1, y, color);
  }
}

void horizontalLine(HDC dc, int left, int right, int y, COLORREF color) {
  if (right > left) fillRect(dc, RECT{left, y, right, y + 1}, color);
}

void checkMark(HDC dc, int x, int y, int size, COLORREF color) {
  // Two strokes, two pixels thick: down to the bottom third, then up to the top right.
  int thick = std::max(1, size / 6);
  int midX = x + size * 3 / 8, midY = y + size * 3 / 4;
  auto stroke = [&](int x0, int y0, int x1, int y1) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
      int px = x0 + (x1 - x0) * i / std::max(1, steps);
      int py = y0 + (y1 - y0) * i / std::max(1, steps);
      fillRect(dc, RECT{px, py, px + thick, py + thick}, color);
    }
  };
  stroke(x + size / 8, y + size / 2, midX, midY - thick + 1);
  stroke(midX, midY - thick + 1, x + size - size / 8 - thick, y + size / 5);
}

void radioDot(HDC dc, int x, int y, int size, COLORREF color) {
  double radius = size / 2.0;
  for (int row = 0; row < size; ++row) {
    double dy = row + 0.5 - radius;
    double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
    int left = static_cast<int>(std::lround(radius - half));
    int right = static_cast<int>(std::lround(radius + half));
    horizontalLine(dc, x + left, x + right, y + row, color);
  }
}

void rightArrow(HDC dc, int x, int cy, int height, COLORREF color) {
  int half = height / 2;
  for (int i = 0; i <= half; ++i) {
    int w = half - i + 1;
    horizontalLine(dc, x, x + w, cy - i, color);
    horizontalLine(dc, x, x + w, cy + i, color);
  }
}

}  // namespace platform::user::controls
