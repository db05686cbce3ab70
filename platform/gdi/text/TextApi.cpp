// Measuring and drawing strings: GetTextExtentPoint32W, TextOutW, ExtTextOutW and DrawTextW.
#include <win/error.h>
#include <win/text.h>

#include "gdi/GdiObjects.h"
#include "gdi/text/LinePainter.h"
#include "gdi/text/TextLayout.h"

#include <algorithm>

using platform::gdi::DeviceContext;
using platform::gdi::GdiObjects;
using platform::gdi::Region;
using platform::gdi::text::GlyphPainter;
using platform::gdi::text::LinePainter;
using platform::gdi::text::LineToPaint;
using platform::gdi::text::SelectedFont;
using platform::gdi::text::TextLayout;

namespace {

GdiObjects& objects() { return GdiObjects::instance(); }

size_t lengthOf(LPCWSTR text, int length) {
  if (length >= 0) return static_cast<size_t>(length);
  size_t n = 0;
  while (text[n]) ++n;
  return n;
}

// Characters placed one by one at the caller's advances, as ExtTextOutW does when given them.
void paintSpaced(DeviceContext& dc, const SelectedFont& font, std::u16string_view text, const INT* dx, int x, int y,
                 bool opaque, const Region& clip) {
  int pen = x;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t units = (i + 1 < text.size() && text[i] >= 0xD800 && text[i] < 0xDC00) ? 2 : 1;
    LineToPaint line;
    line.text = text.substr(i, units);
    line.x = pen;
    line.top = y;
    line.opaque = opaque;
    LinePainter::paint(dc, font, line, clip);
    pen += dx[i];
    if (units == 2) pen += dx[++i];
  }
}

}  // namespace

BOOL WINAPI GetTextExtentPoint32W(HDC handle, LPCWSTR text, int length, LPSIZE size) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !size || length < 0 || (!text && length > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SelectedFont font = SelectedFont::of(*dc);
  if (!font.instance) return FALSE;
  size->cx = length ? font.instance->shape(std::u16string_view(text, static_cast<size_t>(length)), false).width : 0;
  size->cy = font.instance->metrics().tmHeight;
  return TRUE;
}

BOOL WINAPI ExtTextOutW(HDC handle, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT length,
                        const INT* dx) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || (!text && length > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SelectedFont font = SelectedFont::of(*dc);
  if (!font.instance) return FALSE;
  Region clip = GlyphPainter::clipFor(*dc, (options & ETO_CLIPPED) && rect ? rect : nullptr);
  if ((options & ETO_OPAQUE) && rect) GlyphPainter::fill(*dc, *rect, dc->state.bkColor, GlyphPainter::clipFor(*dc, nullptr));
  std::u16string_view view(text ? text : u"", length);
  bool opaque = dc->state.bkMode == OPAQUE && !(options & ETO_OPAQUE);
  if (dx) {
    paintSpaced(*dc, font, view, dx, x, y, opaque, clip);
    return TRUE;
  }
  LineToPaint line;
  line.text = view;
  line.x = x;
  line.top = y;
  line.opaque = opaque;
  LinePainter::paint(*dc, font, line, clip);
  return TRUE;
}

BOOL WINAPI TextOutW(HDC dc, int x, int y, LPCWSTR text, int length) {
  if (length < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

int WINAPI DrawTextW(HDC handle, LPCWSTR text, int length, LPRECT rect, UINT format) {
  std::lock_guard lock(objects().mutex());
  DeviceContext* dc = objects().dc(handle);
  if (!dc || !rect || (!text && length != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  SelectedFont font = SelectedFont::of(*dc);
  if (!font.instance) return 0;
  std::u16string_view view(text ? text : u"", text ? lengthOf(text, length) : 0);
  int width = rect->right - rect->left;
  TextLayout layout = TextLayout::lay(*font.instance, view, format, width);
  int height = layout.height;
  bool single = (format & DT_SINGLELINE) != 0;
  if (format & DT_CALCRECT) {
    rect->right = rect->left + layout.width;
    rect->bottom = rect->top + height;
    return height;
  }
  int top = rect->top;
  if (single && (format & DT_VCENTER)) top = rect->top + (rect->bottom - rect->top - height) / 2;
  else if (single && (format & DT_BOTTOM)) top = rect->bottom - height;
  Region clip = GlyphPainter::clipFor(*dc, (format & DT_NOCLIP) ? nullptr : rect);
  bool rtl = (format & DT_RTLREADING) != 0;
  int lineTop = top;
  for (const auto& laid : layout.lines) {
    LineToPaint line;
    line.text = laid.text;
    line.top = lineTop;
    line.ascent = laid.ascent;
    line.height = laid.height;
    lineTop += laid.height;
    if (format & DT_CENTER) line.x = rect->left + (width - laid.width) / 2;
    else if (format & DT_RIGHT) line.x = rect->right - laid.width;
    else line.x = rect->left;
    line.rtl = rtl;
    line.opaque = dc->state.bkMode == OPAQUE && !(format & DT_PREFIXONLY);
    line.glyphs = !(format & DT_PREFIXONLY);
    line.underlined = &laid.underlined;
    LinePainter::paint(*dc, font, line, clip);
  }
  // With the text placed from the bottom or the middle, the answer reaches to where it ends.
  return (single && (format & (DT_VCENTER | DT_BOTTOM))) ? top - rect->top + height : height;
}
