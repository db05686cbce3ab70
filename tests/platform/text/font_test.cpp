// Font objects: creation, reading back, selection, metrics, face mapping and the framework's point fonts.
#include "TextCanvas.h"

#include <framework/Font.h>
#include <win/error.h>

#include <gtest/gtest.h>

#include <cstring>

using text_test::logFont;
using text_test::TextCanvas;

namespace {

std::u16string faceOf(HDC dc) {
  WCHAR name[64] = {};
  int n = GetTextFaceW(dc, 64, name);
  return std::u16string(name, static_cast<size_t>(n > 0 ? n : 0));
}

}  // namespace

TEST(Font, ReadsBackItsDescriptionAsCreated) {
  LOGFONTW lf = logFont(-13, FW_BOLD, NONANTIALIASED_QUALITY, u"Tahoma");
  lf.lfItalic = 1;
  lf.lfUnderline = 1;
  HFONT font = CreateFontIndirectW(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
  LOGFONTW back{};
  ASSERT_EQ(GetObjectW(font, sizeof(back), &back), static_cast<int>(sizeof(LOGFONTW)));
  EXPECT_EQ(std::memcmp(&back, &lf, sizeof(lf)), 0);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_FALSE(DeleteObject(font));
}

TEST(Font, RefusesAMissingDescription) {
  SetLastError(0);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Font, SelectingAnswersThePreviousFont) {
  TextCanvas canvas(10, 10);
  LOGFONTW lf = logFont(-20);
  HFONT other = CreateFontIndirectW(&lf);
  EXPECT_EQ(SelectObject(canvas.dc, other), canvas.font);
  EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_FONT), other);
  EXPECT_EQ(SelectObject(canvas.dc, canvas.font), other);
  DeleteObject(other);
}

TEST(Font, StockFontsAreFontsThatCannotBeDeleted) {
  for (int index : {DEFAULT_GUI_FONT, SYSTEM_FONT}) {
    HGDIOBJ font = GetStockObject(index);
    ASSERT_NE(font, nullptr) << index;
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << index;
    LOGFONTW lf{};
    EXPECT_EQ(GetObjectW(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf))) << index;
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << index;
  }
}

TEST(Font, CharacterHeightAndCellHeightGiveTheMetricsAsked) {
  struct Case {
    LONG height;
  } cases[] = {{-11}, {-12}, {-13}, {-16}, {-24}, {13}, {16}, {30}};
  for (const Case& c : cases) {
    TextCanvas canvas(10, 10, logFont(c.height));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent) << c.height;
    if (c.height < 0) {
      // The character height is the cell without its internal leading.
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.height) << c.height;
    } else {
      EXPECT_NEAR(tm.tmHeight, c.height, 1) << c.height;
    }
    EXPECT_GT(tm.tmAveCharWidth, 0) << c.height;
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth) << c.height;
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc, u"Hibernate", 9, &size));
    EXPECT_EQ(size.cy, tm.tmHeight) << c.height;
  }
}

TEST(Font, MetricsReportTheStyleAsked) {
  LOGFONTW lf = logFont(-12, FW_BOLD);
  lf.lfItalic = 1;
  lf.lfStrikeOut = 1;
  TextCanvas canvas(10, 10, lf);
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  EXPECT_EQ(tm.tmItalic, 1);
  EXPECT_EQ(tm.tmStruckOut, 1);
  EXPECT_EQ(tm.tmUnderlined, 0);
}

TEST(Font, WindowsDialogFacesDrawInTheDesktopSansSerif) {
  TextCanvas reference(10, 10, logFont(-11, FW_NORMAL, CLEARTYPE_QUALITY, u"sans-serif"));
  std::u16string sans = faceOf(reference.dc);
  ASSERT_FALSE(sans.empty());
  for (const char16_t* face : {u"MS Shell Dlg 2", u"MS Shell Dlg", u"Tahoma", u"ms shell dlg 2", u"", u"Segoe UI"}) {
    TextCanvas canvas(10, 10, logFont(-11, FW_NORMAL, CLEARTYPE_QUALITY, face));
    EXPECT_EQ(faceOf(canvas.dc), sans) << std::string(face, face + std::char_traits<char16_t>::length(face)).c_str();
  }
  // A face that is not installed still gets a face that draws.
  TextCanvas unknown(10, 10, logFont(-11, FW_NORMAL, CLEARTYPE_QUALITY, u"No Such Face 123"));
  EXPECT_FALSE(faceOf(unknown.dc).empty());
}

TEST(Font, BoldIsWiderThanNormal) {
  TextCanvas normal(10, 10, logFont(-12, FW_NORMAL));
  TextCanvas bold(10, 10, logFont(-12, FW_BOLD));
  SIZE a{}, b{};
  ASSERT_TRUE(GetTextExtentPoint32W(normal.dc, u"Shut down the computer", 22, &a));
  ASSERT_TRUE(GetTextExtentPoint32W(bold.dc, u"Shut down the computer", 22, &b));
  EXPECT_GT(b.cx, a.cx);
}

TEST(Font, ExtentGrowsWithTheTextAndIsZeroForNone) {
  TextCanvas canvas(10, 10);
  SIZE empty{}, one{}, two{};
  ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc, u"", 0, &empty));
  ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc, u"Log off", 7, &one));
  ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc, u"Log off Log off", 15, &two));
  EXPECT_EQ(empty.cx, 0);
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(two.cx, 2 * one.cx);
  EXPECT_FALSE(GetTextExtentPoint32W(canvas.dc, u"x", -1, &one));
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, u"x", 1, &one));
}

TEST(FrameworkFont, PointFontsAreSizedForTheScreen) {
  struct Case {
    int tenths;
    LONG height;
  } cases[] = {{80, -11}, {90, -12}, {100, -13}, {110, -15}, {120, -16}, {140, -19}, {190, -25}};
  for (const Case& c : cases) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(c.tenths, u"MS Shell Dlg 2")) << c.tenths;
    LOGFONTW lf{};
    ASSERT_EQ(font.GetLogFont(&lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, c.height) << c.tenths;
    EXPECT_EQ(lf.lfWidth, 0) << c.tenths;
    EXPECT_EQ(std::u16string(lf.lfFaceName), u"MS Shell Dlg 2");
  }
}

TEST(FrameworkFont, OwnsOneFontAtATime) {
  CFont font;
  LOGFONTW lf = logFont(-11);
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  HFONT first = font;
  ASSERT_TRUE(font.CreateFontIndirect(&lf));
  EXPECT_EQ(GetObjectType(first), 0u);  // the first was deleted when the second was made
  HFONT second = font;
  EXPECT_TRUE(font.DeleteObject());
  EXPECT_EQ(GetObjectType(second), 0u);
  EXPECT_EQ(font.GetSafeHandle(), nullptr);
  EXPECT_FALSE(font.DeleteObject());
}

TEST(Font, ADeletedSelectedFontLeavesTheSystemFont) {
  TextCanvas canvas(100, 30);
  LOGFONTW lf = logFont(-20);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(canvas.dc, font);
  ASSERT_TRUE(DeleteObject(font));
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
  HGDIOBJ system = GetStockObject(SYSTEM_FONT);
  SelectObject(canvas.dc, system);
  TEXTMETRICW expected{};
  ASSERT_TRUE(GetTextMetricsW(canvas.dc, &expected));
  EXPECT_EQ(tm.tmHeight, expected.tmHeight);
  EXPECT_EQ(tm.tmWeight, expected.tmWeight);
  SelectObject(canvas.dc, old);
}

TEST(Font, ExtremeHeightsStillGiveAUsableFont) {
  for (LONG height : {LONG(INT32_MIN), LONG(-100000), LONG(0), LONG(1), LONG(INT32_MAX)}) {
    TextCanvas canvas(10, 10, logFont(height));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm)) << height;
    EXPECT_GT(tm.tmHeight, 0) << height;
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(canvas.dc, u"ok", 2, &size)) << height;
  }
}
