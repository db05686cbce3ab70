#include "user32/MessageBoxLayout.h"

#include "user/controls/ButtonPainter.h"
#include "user32/MessageBoxIcon.h"

#include <win/text.h>

#include <algorithm>

namespace platform::user32 {

namespace {

constexpr UINT textFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

}  // namespace

std::vector<std::u16string> MessageBoxLayout::splitParagraphs(const std::u16string& text) {
  std::vector<std::u16string> out(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

MessageBoxLayout MessageBoxLayout::compute(HDC dc, const std::vector<std::u16string>& paragraphs, bool hasIcon,
                                           const std::vector<std::u16string>& captions, int workWidth) {
  MessageBoxLayout layout;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int lineHeight = std::max<int>(1, metrics.tmHeight);
  int textLeft = margin + (hasIcon ? MessageBoxIcon::size + 12 : 0);
  int maxTextWidth = std::max(200, std::min(workWidth * 5 / 8, 560) - textLeft - margin);

  // Paragraphs measured one by one; an empty one keeps the height of one line.
  std::vector<SIZE> sizes;
  int textWidth = 0, textHeight = 0;
  for (const std::u16string& p : paragraphs) {
    SIZE size{0, lineHeight};
    if (!p.empty()) {
      RECT r{0, 0, maxTextWidth, 0};
      DrawTextW(dc, p.c_str(), static_cast<int>(p.size()), &r, textFormat | DT_CALCRECT);
      size = SIZE{std::min<LONG>(r.right - r.left, maxTextWidth), std::max<LONG>(r.bottom - r.top, lineHeight)};
    }
    sizes.push_back(size);
    textWidth = std::max<int>(textWidth, size.cx);
    textHeight += size.cy;
  }
  int contentHeight = std::max(textHeight, hasIcon ? MessageBoxIcon::size : 0);
  int textTop = margin + (contentHeight - textHeight) / 2;
  int y = textTop;
  for (const SIZE& s : sizes) {
    layout.paragraphs.push_back(RECT{textLeft, y, textLeft + textWidth, y + s.cy});
    y += s.cy;
  }
  layout.icon = POINT{margin, margin + (contentHeight - (hasIcon ? MessageBoxIcon::size : 0)) / 2};

  std::vector<int> widths;
  int buttonsWidth = 0;
  for (const std::u16string& caption : captions) {
    int w = std::max<int>(buttonMinWidth, user::controls::ButtonPainter::idealSize(dc, false, caption).cx);
    widths.push_back(w);
    buttonsWidth += w;
  }
  buttonsWidth += buttonGap * static_cast<int>(captions.empty() ? 0 : captions.size() - 1);

  layout.client.cx = std::max({textLeft + textWidth + margin, buttonsWidth + 2 * margin, 200});
  layout.bandTop = margin + contentHeight + margin;
  layout.client.cy = layout.bandTop + 2 * bandPadding + buttonHeight;
  int x = layout.client.cx - margin - buttonsWidth;
  for (int w : widths) {
    layout.buttons.push_back(RECT{x, layout.bandTop + bandPadding, x + w, layout.bandTop + bandPadding + buttonHeight});
    x += w + buttonGap;
  }
  return layout;
}

}  // namespace platform::user32
