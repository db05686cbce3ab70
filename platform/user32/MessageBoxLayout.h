// Where the parts of a message box go: the icon at the top left, the text beside it in paragraphs
// (each "\r\n", "\n" or "\r" starts a new line, long lines wrap at word breaks within a width that the
// work area limits), and the buttons in a band at the bottom, right-aligned, each wide enough for its
// caption.
#pragma once

#include <win/gdi.h>

#include <string>
#include <vector>

namespace platform::user32 {

struct MessageBoxLayout {
  static constexpr int margin = 16;
  static constexpr int buttonHeight = 23;
  static constexpr int buttonMinWidth = 75;
  static constexpr int buttonGap = 8;
  static constexpr int bandPadding = 10;

  SIZE client{0, 0};
  POINT icon{0, 0};
  std::vector<RECT> paragraphs;  // one rectangle per paragraph, in client coordinates
  std::vector<RECT> buttons;
  int bandTop = 0;

  static std::vector<std::u16string> splitParagraphs(const std::u16string& text);
  // Measures with the font selected into `dc`.
  static MessageBoxLayout compute(HDC dc, const std::vector<std::u16string>& paragraphs, bool hasIcon,
                                  const std::vector<std::u16string>& buttonCaptions, int workWidth);
};

}  // namespace platform::user32
