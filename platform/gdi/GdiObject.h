// The common base of every drawing object behind an HGDIOBJ or HDC handle.
#pragma once

#include <win/gdi.h>

namespace platform::gdi {

enum class GdiKind { brush, pen, bitmap, region, font, dc };

struct GdiObject {
  explicit GdiObject(GdiKind k) : kind(k) {}
  virtual ~GdiObject() = default;
  GdiKind kind;
  bool stock = false;  // stock objects and system colour brushes are never deleted
};

struct Brush : GdiObject {
  Brush() : GdiObject(GdiKind::brush) {}
  bool hollow = false;
  bool dcBrush = false;  // takes the DC's brush colour
  COLORREF color = 0;
};

struct Pen : GdiObject {
  Pen() : GdiObject(GdiKind::pen) {}
  int style = PS_SOLID;
  int width = 1;
  bool dcPen = false;
  COLORREF color = 0;
};

struct Font : GdiObject {
  Font() : GdiObject(GdiKind::font) {}
};

}  // namespace platform::gdi
