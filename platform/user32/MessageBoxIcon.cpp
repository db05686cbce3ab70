#include "user32/MessageBoxIcon.h"

#include "user/controls/FlatDrawing.h"

#include <win/msgbox.h>
#include <win/text.h>

#include <algorithm>
#include <iterator>

namespace platform::user32 {

namespace controls = platform::user::controls;

namespace {

HFONT glyphFont() {
  static HFONT font = [] {
    LOGFONTW description{};
    description.lfHeight = -22;
    description.lfWeight = FW_BOLD;
    description.lfQuality = CLEARTYPE_QUALITY;
    const char16_t face[] = u"MS Shell Dlg 2";
    std::copy(std::begin(face), std::end(face), description.lfFaceName);
    return CreateFontIndirectW(&description);
  }();
  return font;
}

void glyph(HDC dc, RECT r, const char16_t* text, COLORREF color) {
  HGDIOBJ old = SelectObject(dc, glyphFont());
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, color);
  DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, mode);
  SelectObject(dc, old);
}

void cross(HDC dc, int x, int y, COLORREF color) {
  constexpr int inset = 10, thick = 3;
  for (int i = 0; i <= MessageBoxIcon::size - 2 * inset - thick; ++i) {
    controls::fillRect(dc, RECT{x + inset + i, y + inset + i, x + inset + i + thick, y + inset + i + thick}, color);
    int right = x + MessageBoxIcon::size - inset - thick - i;
    controls::fillRect(dc, RECT{right, y + inset + i, right + thick, y + inset + i + thick}, color);
  }
}

}  // namespace

BoxIcon MessageBoxIcon::forType(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return BoxIcon::error;
    case MB_ICONQUESTION: return BoxIcon::question;
    case MB_ICONEXCLAMATION: return BoxIcon::warning;
    case MB_ICONASTERISK: return BoxIcon::information;
    default: return BoxIcon::none;
  }
}

void MessageBoxIcon::paint(HDC dc, int x, int y, BoxIcon icon) {
  RECT area{x, y, x + size, y + size};
  switch (icon) {
    case BoxIcon::none:
      return;
    case BoxIcon::information:
      controls::radioDot(dc, x, y, size, RGB(0, 103, 192));
      glyph(dc, area, u"i", RGB(255, 255, 255));
      return;
    case BoxIcon::question:
      controls::radioDot(dc, x, y, size, RGB(0, 103, 192));
      glyph(dc, area, u"?", RGB(255, 255, 255));
      return;
    case BoxIcon::error:
      controls::radioDot(dc, x, y, size, RGB(209, 52, 56));
      cross(dc, x, y, RGB(255, 255, 255));
      return;
    case BoxIcon::warning:
      for (int row = 0; row < size - 2; ++row) {
        int half = row * (size / 2) / (size - 2);
        controls::horizontalLine(dc, x + size / 2 - half - 1, x + size / 2 + half + 1, y + 1 + row, RGB(255, 196, 0));
      }
      glyph(dc, RECT{x, y + 5, x + size, y + size}, u"!", RGB(0, 0, 0));
      return;
  }
}

}  // namespace platform::user32
