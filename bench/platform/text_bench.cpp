// DrawTextW of a 20-character label, measured and then drawn, as a control paints its caption;
// once the label's glyphs and shaping are cached. Also the cold first call of a new label.
#include <win/gdi.h>
#include <win/text.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Canvas {
  Canvas() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 300;
    info.bmiHeader.biHeight = -40;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = CLEARTYPE_QUALITY;
    std::u16string face = u"MS Shell Dlg 2";
    face.copy(lf.lfFaceName, face.size());
    font = CreateFontIndirectW(&lf);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
  }
  ~Canvas() {
    DeleteDC(dc);
    DeleteObject(font);
    DeleteObject(bitmap);
  }
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HFONT font = nullptr;
};

void measureAndDraw(HDC dc, const char16_t* text) {
  RECT box{4, 4, 296, 36};
  RECT measured = box;
  DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  benchmark::DoNotOptimize(measured);
  DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void BM_DrawTextLabelCached(benchmark::State& state) {
  Canvas canvas;
  const char16_t* label = u"Shut down the system";  // 20 characters
  measureAndDraw(canvas.dc, label);
  for (auto _ : state) measureAndDraw(canvas.dc, label);
}
BENCHMARK(BM_DrawTextLabelCached)->Unit(benchmark::kMicrosecond);

void BM_DrawTextLabelPrefixedCached(benchmark::State& state) {
  Canvas canvas;
  const char16_t* label = u"&Hibernate the system";
  RECT box{4, 4, 296, 36};
  DrawTextW(canvas.dc, label, -1, &box, DT_SINGLELINE);
  for (auto _ : state) {
    RECT measured = box;
    DrawTextW(canvas.dc, label, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    DrawTextW(canvas.dc, label, -1, &box, DT_SINGLELINE | DT_VCENTER);
  }
}
BENCHMARK(BM_DrawTextLabelPrefixedCached)->Unit(benchmark::kMicrosecond);

void BM_DrawTextNewLabel(benchmark::State& state) {
  Canvas canvas;
  measureAndDraw(canvas.dc, u"warm the glyphs up 0");
  unsigned n = 0;
  for (auto _ : state) {
    // A label not shaped before, of glyphs already drawn.
    std::u16string label = u"Shut down the sys" + std::u16string(1, u'a' + (n % 26)) +
                           std::u16string(1, u'a' + (n / 26 % 26)) + std::u16string(1, u'a' + (n / 676 % 26));
    ++n;
    measureAndDraw(canvas.dc, label.c_str());
  }
}
BENCHMARK(BM_DrawTextNewLabel)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
