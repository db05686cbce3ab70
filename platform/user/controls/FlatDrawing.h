// The flat look shared by the system's controls, menus and message boxes: its colours and the few
// shapes they draw (filled and framed rectangles, the dotted focus frame, check and radio marks,
// arrows), all through the device-context API so that they land in whatever the DC draws into.
#pragma once

#include <win/gdi.h>

namespace platform::user::controls {

namespace flat {
constexpr COLORREF face = RGB(225, 225, 225);
constexpr COLORREF faceBorder = RGB(173, 173, 173);
constexpr COLORREF pressedFace = RGB(204, 228, 247);
constexpr COLORREF pressedBorder = RGB(0, 84, 153);
constexpr COLORREF accent = RGB(0, 120, 215);
constexpr COLORREF disabledFace = RGB(236, 236, 236);
constexpr COLORREF disabledBorder = RGB(200, 200, 200);
constexpr COLORREF disabledText = RGB(140, 140, 140);
constexpr COLORREF text = RGB(0, 0, 0);
constexpr COLORREF boxFill = RGB(255, 255, 255);
constexpr COLORREF boxBorder = RGB(51, 51, 51);
constexpr COLORREF menuFill = RGB(249, 249, 249);
constexpr COLORREF menuBorder = RGB(150, 150, 150);
constexpr COLORREF menuHighlight = RGB(204, 232, 255);
constexpr COLORREF menuHighlightBorder = RGB(153, 209, 255);
constexpr COLORREF separator = RGB(215, 215, 215);
constexpr COLORREF progressTrack = RGB(230, 230, 230);
constexpr COLORREF progressBorder = RGB(188, 188, 188);
constexpr COLORREF progressBar = RGB(6, 176, 37);
}  // namespace flat

void fillRect(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame just inside the rectangle.
void frameRect(HDC dc, const RECT& rect, COLORREF color);
// Every other pixel of a one-pixel frame just inside the rectangle.
void dottedFrame(HDC dc, const RECT& rect, COLORREF color);
// A tick that fits a square of `size` pixels with its top-left corner at (x, y).
void checkMark(HDC dc, int x, int y, int size, COLORREF color);
// A filled round dot of `size` pixels with its top-left corner at (x, y).
void radioDot(HDC dc, int x, int y, int size, COLORREF color);
// A small triangle pointing right, `height` pixels tall, its left edge at x and centred on cy.
void rightArrow(HDC dc, int x, int cy, int height, COLORREF color);
void horizontalLine(HDC dc, int left, int right, int y, COLORREF color);

}  // namespace platform::user::controls
