// The common base of every drawing object behind an HGDIOBJ or HDC handle.
#pragma once

#include <win/gdi.h>
#include <win/text.h>

#include <memory>

namespace platform::gdi {

namespace text {
class FontInstance;
}

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
  LOGFONTW logFont{};
  // The sized faces that draw this font, made on first use and shared by fonts that look alike.
  std::shared_ptr<text::FontInstance> instance;
};

}  // namespace platform::gdi
