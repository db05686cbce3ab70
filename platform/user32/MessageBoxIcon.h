// The four pictures of message boxes, drawn flat at 32 by 32 pixels: information (a blue disc with
// "i"), warning (a yellow triangle with "!"), error (a red disc with a cross) and question (a blue disc
// with "?").
#pragma once

#include <win/gdi.h>

namespace platform::user32 {

enum class BoxIcon { none, information, warning, error, question };

class MessageBoxIcon {
 public:
  static constexpr int size = 32;
  static BoxIcon forType(UINT type);
  static void paint(HDC dc, int x, int y, BoxIcon icon);
};

}  // namespace platform::user32
