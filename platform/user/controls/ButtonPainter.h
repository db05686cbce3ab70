// Draws a button of the BUTTON class in the flat look and measures the size it needs. Push buttons
// are a framed face with the caption centred; check boxes a square box with the caption beside it.
// The pressed state darkens the face and shifts the caption, the disabled look greys face and text,
// the focus shows as a dotted frame, and a default push button has a thicker accent frame.
#pragma once

#include <win/gdi.h>

#include <string>

namespace platform::user::controls {

struct ButtonLook {
  bool checkBox = false;
  bool pressed = false;
  bool focused = false;
  bool enabled = true;
  bool isDefault = false;
  UINT checkState = 0;
  bool leftText = false;       // the caption stands left of the box
  COLORREF textColor = RGB(0, 0, 0);  // check boxes: the colour their parent chose
};

class ButtonPainter {
 public:
  static constexpr int boxSize = 13;
  static constexpr int boxGap = 5;

  // The caption's size in the font selected into `dc`, with '&' marking the underlined letter.
  static SIZE captionSize(HDC dc, const std::u16string& caption);
  // The smallest size that shows the whole caption without clipping.
  static SIZE idealSize(HDC dc, bool checkBox, const std::u16string& caption);
  // Paints the button over the whole client rectangle; the background is already filled.
  static void paint(HDC dc, const RECT& client, const std::u16string& caption, const ButtonLook& look);

 private:
  static void paintPush(HDC dc, const RECT& client, const std::u16string& caption, const ButtonLook& look);
  static void paintCheck(HDC dc, const RECT& client, const std::u16string& caption, const ButtonLook& look);
};

}  // namespace platform::user::controls
