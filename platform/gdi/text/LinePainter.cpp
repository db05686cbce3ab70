#include "gdi/text/LinePainter.h"

namespace platform::gdi::text {

void LinePainter::paint(DeviceContext& dc, const SelectedFont& font, const LineToPaint& line, const Region& clip) {
  FontInstance& instance = *font.instance;
  const TEXTMETRICW& tm = instance.metrics();
  const ShapedText& shaped = instance.shape(line.text, line.rtl);
  COLORREF color = dc.state.textColor;
  int height = line.height >= 0 ? line.height : tm.tmHeight;
  if (line.opaque)
    GlyphPainter::fill(dc, RECT{line.x, line.top, line.x + shaped.width, line.top + height}, dc.state.bkColor, clip);
  int baseline = line.top + (line.ascent >= 0 ? line.ascent : tm.tmAscent);
  int thickness = instance.underlineThickness();
  int underlineTop = std::min(baseline + instance.underlinePosition(), baseline + tm.tmDescent - thickness);
  if (line.glyphs) {
    GlyphPainter::paint(dc, instance, shaped, line.x, baseline, color, clip);
    const LOGFONTW& lf = font.object->logFont;
    if (lf.lfUnderline) GlyphPainter::line(dc, line.x, line.x + shaped.width, underlineTop, thickness, color, clip);
    if (lf.lfStrikeOut) {
      int strikeTop = baseline - (tm.tmAscent - tm.tmInternalLeading) / 3;
      GlyphPainter::line(dc, line.x, line.x + shaped.width, strikeTop, thickness, color, clip);
    }
  }
  if (line.underlined) {
    for (uint32_t index : *line.underlined) {
      int left = 0, right = 0;
      uint32_t last = index + 1;
      if (index + 1 < line.text.size() && line.text[index] >= 0xD800 && line.text[index] < 0xDC00) ++last;
      if (shaped.span(index, last, &left, &right))
        GlyphPainter::line(dc, line.x + left, line.x + right, underlineTop, thickness, color, clip);
    }
  }
}

}  // namespace platform::gdi::text
