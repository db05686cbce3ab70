#include "user/SystemColors.h"

#include "gdi/GdiObjects.h"

#include <mutex>

namespace platform::user {

namespace {

constexpr COLORREF scheme[SystemColors::count] = {
    RGB(212, 208, 200),  // COLOR_SCROLLBAR
    RGB(0, 78, 152),     // COLOR_BACKGROUND
    RGB(0, 84, 227),     // COLOR_ACTIVECAPTION
    RGB(122, 150, 223),  // COLOR_INACTIVECAPTION
    RGB(255, 255, 255),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
    RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(49, 106, 197),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(236, 233, 216),  // COLOR_BTNFACE
    RGB(172, 168, 153),  // COLOR_BTNSHADOW
    RGB(172, 168, 153),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(216, 228, 248),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(113, 111, 100),  // COLOR_3DDKSHADOW
    RGB(241, 239, 226),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(181, 181, 181),  // 25, unused
    RGB(0, 0, 128),      // COLOR_HOTLIGHT
    RGB(61, 149, 255),   // COLOR_GRADIENTACTIVECAPTION
    RGB(157, 185, 235),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(49, 106, 197),   // COLOR_MENUHILIGHT
    RGB(236, 233, 216),  // COLOR_MENUBAR
};

}  // namespace

COLORREF SystemColors::color(int index) { return (index >= 0 && index < count) ? scheme[index] : 0; }

HBRUSH SystemColors::brush(int index) {
  if (index < 0 || index >= count) return nullptr;
  static std::once_flag once;
  static HBRUSH brushes[count];
  std::call_once(once, [] {
    for (int i = 0; i < count; ++i) {
      auto b = std::make_unique<gdi::Brush>();
      b->color = scheme[i];
      b->stock = true;
      brushes[i] = gdi::GdiObjects::instance().add(std::move(b));
    }
  });
  return brushes[index];
}

}  // namespace platform::user
