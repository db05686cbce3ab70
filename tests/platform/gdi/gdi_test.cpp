// Drawing on memory DCs and DIB sections, checked pixel by pixel in the bitmap's own memory.
#include <win/gdi.h>
#include <win/user.h>

#include "platform/support/DibSection.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A memory DC with a 32-bit DIB section selected, rows top-down or bottom-up as asked.
class Canvas {
 public:
  Canvas(int width, int height, bool topDown = true) : width_(width), height_(height), topDown_(topDown) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = testsupport::makeDibSection(dc, width, height, &bits, topDown);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  // The pixel at (x, y) as the picture shows it, read straight from the section's memory.
  uint32_t at(int x, int y) const {
    int row = topDown_ ? y : height_ - 1 - y;
    return bits[static_cast<size_t>(row) * width_ + x] & 0xFFFFFF;
  }
  void fill(COLORREF color) {
    RECT all{0, 0, width_, height_};
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &all, b);
    DeleteObject(b);
  }
  // Every pixel as a string of one letter per colour, row by row, for compact pictures in tests.
  std::string picture(const std::vector<std::pair<uint32_t, char>>& legend) const {
    std::string out;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        char c = '?';
        for (const auto& [pixel, letter] : legend)
          if (at(x, y) == pixel) c = letter;
        out += c;
      }
      out += '\n';
    }
    return out;
  }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;

 private:
  int width_, height_;
  bool topDown_;
  HGDIOBJ old = nullptr;
};

constexpr uint32_t red = 0xFF0000, blue = 0x0000FF, white = 0xFFFFFF, black = 0;

TEST(DibSection, RowsAreLaidOutAsRequested) {
  for (bool topDown : {true, false}) {
    Canvas canvas(4, 3, topDown);
    ASSERT_NE(nullptr, canvas.bits);
    SetPixel(canvas.dc, 1, 0, RGB(255, 0, 0));
    int firstRowInMemory = topDown ? 0 : 2;
    EXPECT_EQ(red, canvas.bits[firstRowInMemory * 4 + 1] & 0xFFFFFF) << topDown;
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(canvas.dc, 1, 0));
    DIBSECTION ds{};
    ASSERT_EQ(static_cast<int>(sizeof(ds)), GetObjectW(canvas.bitmap, sizeof(ds), &ds));
    EXPECT_EQ(canvas.bits, ds.dsBm.bmBits);
    EXPECT_EQ(topDown ? -3 : 3, ds.dsBmih.biHeight);
    EXPECT_EQ(32, ds.dsBm.bmBitsPixel);
  }
}

TEST(DibSection, RefusesWhatItCannotMake) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = 4;
  info.bmiHeader.biBitCount = 24;
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  EXPECT_EQ(nullptr, bits);
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biWidth = -4;
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

TEST(Shapes, FillFrameAndRectangleCoverTheDocumentedPixels) {
  Canvas canvas(6, 5);
  canvas.fill(RGB(255, 255, 255));
  RECT r{1, 1, 5, 4};
  HBRUSH redBrush = CreateSolidBrush(RGB(255, 0, 0));
  FrameRect(canvas.dc, &r, redBrush);
  EXPECT_EQ(
      "......\n"
      ".RRRR.\n"
      ".R..R.\n"
      ".RRRR.\n"
      "......\n",
      canvas.picture({{white, '.'}, {red, 'R'}}));
  canvas.fill(RGB(255, 255, 255));
  HGDIOBJ oldBrush = SelectObject(canvas.dc, CreateSolidBrush(RGB(0, 0, 255)));
  Rectangle(canvas.dc, 0, 0, 5, 4);  // black pen outline, blue inside
  EXPECT_EQ(
      "KKKKK.\n"
      "KBBBK.\n"
      "KBBBK.\n"
      "KKKKK.\n"
      "......\n",
      canvas.picture({{white, '.'}, {black, 'K'}, {blue, 'B'}}));
  canvas.fill(RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(canvas.dc, GetStockObject(NULL_PEN));
  Rectangle(canvas.dc, 0, 0, 5, 4);  // without a pen: one pixel smaller
  EXPECT_EQ(
      "BBBB..\n"
      "BBBB..\n"
      "BBBB..\n"
      "......\n"
      "......\n",
      canvas.picture({{white, '.'}, {blue, 'B'}}));
  DeleteObject(SelectObject(canvas.dc, oldBrush));
  SelectObject(canvas.dc, oldPen);
  // The hollow brush paints nothing.
  canvas.fill(RGB(255, 255, 255));
  FillRect(canvas.dc, &r, static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)));
  EXPECT_EQ(white, canvas.at(2, 2));
  DeleteObject(redBrush);
}

TEST(Shapes, LinesLeaveOutTheirLastPoint) {
  Canvas canvas(5, 3);
  canvas.fill(RGB(255, 255, 255));
  MoveToEx(canvas.dc, 0, 1, nullptr);
  LineTo(canvas.dc, 4, 1);
  EXPECT_EQ(
      ".....\n"
      "KKKK.\n"
      ".....\n",
      canvas.picture({{white, '.'}, {black, 'K'}}));
  POINT previous;
  MoveToEx(canvas.dc, 0, 0, &previous);
  EXPECT_EQ(4, previous.x);
}

TEST(Clipping, RegionsAndClipRectanglesLimitDrawing) {
  Canvas canvas(6, 4);
  canvas.fill(RGB(255, 255, 255));
  HRGN region = CreateRectRgn(1, 0, 5, 4);
  EXPECT_EQ(SIMPLEREGION, SelectClipRgn(canvas.dc, region));
  DeleteObject(region);  // the DC keeps its own copy
  EXPECT_EQ(COMPLEXREGION, ExcludeClipRect(canvas.dc, 2, 1, 4, 3));
  canvas.fill(RGB(255, 0, 0));
  EXPECT_EQ(
      ".RRRR.\n"
      ".R..R.\n"
      ".R..R.\n"
      ".RRRR.\n",
      canvas.picture({{white, '.'}, {red, 'R'}}));
  RECT box;
  EXPECT_EQ(COMPLEXREGION, GetClipBox(canvas.dc, &box));
  EXPECT_EQ(1, box.left);
  EXPECT_EQ(5, box.right);
  int saved = SaveDC(canvas.dc);
  IntersectClipRect(canvas.dc, 0, 0, 2, 1);
  canvas.fill(RGB(0, 0, 255));
  EXPECT_EQ(blue, canvas.at(1, 0));
  EXPECT_EQ(red, canvas.at(2, 0));
  EXPECT_TRUE(RestoreDC(canvas.dc, saved));
  EXPECT_FALSE(RestoreDC(canvas.dc, saved)) << "a state is restored once";
  SelectClipRgn(canvas.dc, nullptr);
  canvas.fill(RGB(0, 0, 255));
  EXPECT_EQ(blue, canvas.at(0, 0));
}

TEST(Regions, CombineAndRoundedCorners) {
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(5, 5, 15, 15), out = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    int mode;
    int kind;
    POINT inside, outside;
  };
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, {6, 6}, {2, 2}},
      {RGN_OR, COMPLEXREGION, {12, 12}, {12, 2}},
      {RGN_DIFF, COMPLEXREGION, {2, 2}, {6, 6}},
      {RGN_XOR, COMPLEXREGION, {12, 12}, {6, 6}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.kind, CombineRgn(out, a, b, c.mode)) << c.mode;
    EXPECT_TRUE(PtInRegion(out, c.inside.x, c.inside.y)) << c.mode;
    EXPECT_FALSE(PtInRegion(out, c.outside.x, c.outside.y)) << c.mode;
  }
  HRGN round = CreateRoundRectRgn(0, 0, 20, 20, 10, 10);
  EXPECT_FALSE(PtInRegion(round, 0, 0)) << "the corner is cut";
  EXPECT_TRUE(PtInRegion(round, 10, 0));
  EXPECT_TRUE(PtInRegion(round, 0, 10));
  RECT box;
  GetRgnBox(round, &box);
  EXPECT_EQ(20, box.right);
  for (HRGN r : {a, b, out, round}) DeleteObject(r);
}

TEST(BlockTransfer, BitBltCopiesAndClipsToTheSource) {
  Canvas source(4, 4, false), dest(6, 6);
  source.fill(RGB(255, 0, 0));
  SetPixel(source.dc, 0, 0, RGB(0, 0, 255));
  dest.fill(RGB(255, 255, 255));
  EXPECT_TRUE(BitBlt(dest.dc, 1, 1, 10, 10, source.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(
      "......\n"
      ".BRRR.\n"
      ".RRRR.\n"
      ".RRRR.\n"
      ".RRRR.\n"
      "......\n",
      dest.picture({{white, '.'}, {red, 'R'}, {blue, 'B'}}));
  // Overlapping copies within one bitmap come out as if through a copy.
  EXPECT_TRUE(BitBlt(dest.dc, 2, 1, 4, 4, dest.dc, 1, 1, SRCCOPY));
  EXPECT_EQ(blue, dest.at(2, 1));
  EXPECT_EQ(red, dest.at(3, 1));
  SetViewportOrgEx(dest.dc, 2, 2, nullptr);
  BitBlt(dest.dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS);
  EXPECT_EQ(black, dest.at(2, 2)) << "the viewport origin moves logical coordinates";
}

TEST(BlockTransfer, StretchBltScalesWithNearestPixels) {
  Canvas source(2, 2), dest(4, 4);
  SetPixel(source.dc, 0, 0, RGB(255, 0, 0));
  SetPixel(source.dc, 1, 0, RGB(0, 0, 255));
  SetPixel(source.dc, 0, 1, RGB(0, 0, 255));
  SetPixel(source.dc, 1, 1, RGB(255, 0, 0));
  EXPECT_TRUE(StretchBlt(dest.dc, 0, 0, 4, 4, source.dc, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(
      "RRBB\n"
      "RRBB\n"
      "BBRR\n"
      "BBRR\n",
      dest.picture({{red, 'R'}, {blue, 'B'}}));
}

TEST(Objects, SelectionAnswersThePreviousObjectAndStockObjectsStay) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HGDIOBJ previous = SelectObject(dc, brush);
  EXPECT_EQ(GetStockObject(WHITE_BRUSH), previous);
  EXPECT_EQ(brush, GetCurrentObject(dc, OBJ_BRUSH));
  EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(brush));
  EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(reinterpret_cast<HGDIOBJ>(dc)));
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, previous);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(0u, GetObjectType(brush)) << "a deleted object is gone";
  EXPECT_EQ(OPAQUE, SetBkMode(dc, TRANSPARENT));
  EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
  SetTextColor(dc, RGB(9, 8, 7));
  EXPECT_EQ(RGB(9, 8, 7), GetTextColor(dc));
  EXPECT_EQ(96, GetDeviceCaps(dc, LOGPIXELSX));
  EXPECT_EQ(96, GetDeviceCaps(dc, LOGPIXELSY));
  // A bitmap is selected into one DC at a time.
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 3, 3);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_NE(nullptr, SelectObject(dc, bitmap));
  EXPECT_EQ(nullptr, SelectObject(other, bitmap));
  DeleteDC(dc);
  EXPECT_NE(nullptr, SelectObject(other, bitmap)) << "free again once its DC is gone";
  DeleteDC(other);
  DeleteObject(bitmap);
  EXPECT_FALSE(DeleteDC(dc)) << "a stale DC";
}

TEST(Rectangles, ArithmeticFollowsTheEmptyRules) {
  RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, out;
  EXPECT_TRUE(IntersectRect(&out, &a, &b));
  EXPECT_EQ(5, out.left);
  RECT far{30, 30, 40, 40};
  EXPECT_FALSE(IntersectRect(&out, &a, &far));
  EXPECT_TRUE(IsRectEmpty(&out));
  RECT empty{3, 3, 3, 8};
  EXPECT_TRUE(UnionRect(&out, &a, &empty));
  EXPECT_TRUE(EqualRect(&out, &a)) << "an empty rectangle adds nothing";
  EXPECT_FALSE(PtInRect(&a, POINT{10, 5})) << "right and bottom are outside";
}

}  // namespace
