#include "user/menu/PopupLayout.h"

#include "user/controls/FlatDrawing.h"
#include "user/controls/SystemFont.h"

#include <win/text.h>

#include <algorithm>

namespace platform::user::menu {

namespace flat = controls::flat;

namespace {

// An item's text is the label, then after a tab the accelerator shown at the right.
struct Parts {
  std::u16string label;
  std::u16string accelerator;
};

Parts split(const std::u16string& text) {
  size_t tab = text.find(u'\t');
  if (tab == std::u16string::npos) return Parts{text, u""};
  return Parts{text.substr(0, tab), text.substr(tab + 1)};
}

SIZE measureText(HDC dc, const std::u16string& text, UINT format) {
  if (text.empty()) return SIZE{0, 0};
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | format);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void drawText(HDC dc, const std::u16string& text, RECT r, UINT format) {
  if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

PopupLayout PopupLayout::measure(const Menu& menu) {
  PopupLayout layout;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, controls::SystemFont::normal());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int itemHeight = std::max<int>(22, metrics.tmHeight + 8);
  int labelWidth = 0, acceleratorWidth = 0;
  for (const MenuItem& item : menu.items) {
    if (item.separator()) continue;
    Parts parts = split(item.text);
    labelWidth = std::max<int>(labelWidth, measureText(dc, parts.label, 0).cx);
    acceleratorWidth = std::max<int>(acceleratorWidth, measureText(dc, parts.accelerator, DT_NOPREFIX).cx);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  int inner = checkColumn + labelWidth + (acceleratorWidth ? 24 + acceleratorWidth : 0) + arrowColumn;
  int width = std::max(inner, 100) + 2 * (border + padding);
  int y = border + padding;
  for (const MenuItem& item : menu.items) {
    int h = item.separator() ? separatorHeight : itemHeight;
    layout.items.push_back(RECT{border + padding, y, width - border - padding, y + h});
    y += h;
  }
  layout.size = SIZE{width, y + padding + border};
  return layout;
}

int PopupLayout::itemAt(const Menu& menu, POINT client) const {
  for (size_t i = 0; i < items.size() && i < menu.items.size(); ++i)
    if (PtInRect(&items[i], client) && !menu.items[i].separator()) return static_cast<int>(i);
  return -1;
}

void PopupLayout::paint(HDC dc, const Menu& menu, int selected) const {
  RECT whole{0, 0, size.cx, size.cy};
  controls::fillRect(dc, whole, flat::menuFill);
  controls::frameRect(dc, whole, flat::menuBorder);
  HGDIOBJ old = SelectObject(dc, controls::SystemFont::normal());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  for (size_t i = 0; i < items.size() && i < menu.items.size(); ++i) {
    const MenuItem& item = menu.items[i];
    const RECT& r = items[i];
    if (item.separator()) {
      controls::horizontalLine(dc, r.left + checkColumn - 4, r.right - 2, (r.top + r.bottom) / 2, flat::separator);
      continue;
    }
    if (static_cast<int>(i) == selected) {
      controls::fillRect(dc, r, flat::menuHighlight);
      controls::frameRect(dc, r, flat::menuHighlightBorder);
    }
    COLORREF ink = item.grayed() ? flat::disabledText : flat::text;
    int cy = (r.top + r.bottom) / 2;
    if (item.checked()) {
      if (item.type & MFT_RADIOCHECK)
        controls::radioDot(dc, r.left + checkColumn / 2 - 3, cy - 3, 6, ink);
      else
        controls::checkMark(dc, r.left + checkColumn / 2 - 5, cy - 5, 10, ink);
    }
    SetTextColor(dc, ink);
    Parts parts = split(item.text);
    RECT label{r.left + checkColumn, r.top, r.right - arrowColumn, r.bottom};
    drawText(dc, parts.label, label, DT_LEFT);
    drawText(dc, parts.accelerator, label, DT_RIGHT | DT_NOPREFIX);
    if (item.submenu) controls::rightArrow(dc, r.right - arrowColumn / 2 - 2, cy, 8, ink);
  }
  SetBkMode(dc, oldMode);
  SelectObject(dc, old);
}

}  // namespace platform::user::menu
