#include "user/controls/ButtonPainter.h"

#include "user/controls/FlatDrawing.h"

#include <win/text.h>

#include <algorithm>

namespace platform::user::controls {

namespace {

constexpr int pushPaddingX = 10;
constexpr int pushPaddingY = 4;

void drawCaption(HDC dc, RECT rect, const std::u16string& caption, UINT format, COLORREF color) {
  if (caption.empty()) return;
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, color);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format | DT_SINGLELINE | DT_VCENTER);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace

SIZE ButtonPainter::captionSize(HDC dc, const std::u16string& caption) {
  if (caption.empty()) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return SIZE{0, metrics.tmHeight};
  }
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ButtonPainter::idealSize(HDC dc, bool checkBox, const std::u16string& caption) {
  SIZE text = captionSize(dc, caption);
  if (checkBox) {
    // Room for the box, the gap, the caption and the focus frame around it.
    return SIZE{boxSize + boxGap + text.cx + 2, std::max<LONG>(boxSize, text.cy + 2)};
  }
  return SIZE{text.cx + 2 * pushPaddingX + 2, text.cy + 2 * pushPaddingY + 2};
}

void ButtonPainter::paint(HDC dc, const RECT& client, const std::u16string& caption, const ButtonLook& look) {
  if (look.checkBox)
    paintCheck(dc, client, caption, look);
  else
    paintPush(dc, client, caption, look);
}

void ButtonPainter::paintPush(HDC dc, const RECT& client, const std::u16string& caption, const ButtonLook& look) {
  COLORREF face = flat::face, border = flat::faceBorder, ink = flat::text;
  if (!look.enabled) {
    face = flat::disabledFace;
    border = flat::disabledBorder;
    ink = flat::disabledText;
  } else if (look.pressed) {
    face = flat::pressedFace;
    border = flat::pressedBorder;
  } else if (look.isDefault || look.focused) {
    border = flat::accent;
  }
  fillRect(dc, client, face);
  frameRect(dc, client, border);
  if (look.enabled && look.isDefault && !look.pressed) {
    RECT inner{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    frameRect(dc, inner, flat::accent);
  }
  RECT text = client;
  if (look.pressed) OffsetRect(&text, 1, 1);
  drawCaption(dc, text, caption, DT_CENTER, ink);
  if (look.focused && look.enabled) {
    RECT focus{client.left + 3, client.top + 3, client.right - 3, client.bottom - 3};
    if (focus.right > focus.left && focus.bottom > focus.top) dottedFrame(dc, focus, flat::text);
  }
}

void ButtonPainter::paintCheck(HDC dc, const RECT& client, const std::u16string& caption, const ButtonLook& look) {
  int height = client.bottom - client.top;
  int boxTop = client.top + (height - boxSize) / 2;
  int boxLeft = look.leftText ? client.right - boxSize : client.left;
  RECT box{boxLeft, boxTop, boxLeft + boxSize, boxTop + boxSize};
  COLORREF fill = !look.enabled ? flat::disabledFace : (look.pressed ? flat::pressedFace : flat::boxFill);
  COLORREF border = !look.enabled ? flat::disabledBorder : (look.pressed ? flat::pressedBorder : flat::boxBorder);
  fillRect(dc, box, fill);
  frameRect(dc, box, border);
  COLORREF mark = look.enabled ? flat::text : flat::disabledText;
  if (look.checkState == 1) {
    checkMark(dc, box.left + 2, box.top + 2, boxSize - 4, mark);
  } else if (look.checkState == 2) {
    fillRect(dc, RECT{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, mark);
  }
  RECT text = look.leftText ? RECT{client.left + 1, client.top, boxLeft - boxGap, client.bottom}
                            : RECT{box.right + boxGap, client.top, client.right - 1, client.bottom};
  drawCaption(dc, text, caption, DT_LEFT, look.enabled ? look.textColor : flat::disabledText);
  if (look.focused && look.enabled && !caption.empty()) {
    SIZE size = captionSize(dc, caption);
    int top = client.top + (height - size.cy) / 2;
    RECT focus{text.left - 1, top - 1, std::min<LONG>(text.right + 1, text.left + size.cx + 1), top + size.cy + 1};
    dottedFrame(dc, focus, look.textColor);
  }
}

}  // namespace platform::user::controls
