// DrawTextW and the line calls, checked on pixels: what is measured holds what is drawn, lines break
// between words, long lines end in an ellipsis, prefixes underline, and clipping keeps to the rectangle.
#include "TextCanvas.h"

#include <gtest/gtest.h>

#include <string>

using text_test::inside;
using text_test::logFont;
using text_test::TextCanvas;

namespace {

std::string printable(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

RECT calc(HDC dc, const std::u16string& text, UINT format, RECT rect) {
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
  return rect;
}

int draw(HDC dc, const std::u16string& text, UINT format, RECT rect) {
  return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

int lineHeight(HDC dc) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  return tm.tmHeight;
}

// The width of `text` in one line with the DC's font.
int widthOf(HDC dc, const std::u16string& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return static_cast<int>(size.cx);
}

int countColours(const TextCanvas& canvas, uint32_t colour) {
  int n = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) n += canvas.at(x, y) == colour;
  return n;
}

}  // namespace

TEST(DrawText, InkLiesInsideTheMeasuredRectangle) {
  struct Case {
    std::u16string text;
    UINT format;
    LONG height;
    LONG weight;
  } cases[] = {
      {u"Stand by", DT_SINGLELINE | DT_NOPREFIX, -11, FW_NORMAL},
      {u"Hibernate", DT_SINGLELINE | DT_NOPREFIX, -16, FW_BOLD},
      {u"jjj fff ŷ Å", DT_SINGLELINE | DT_NOPREFIX, -13, FW_NORMAL},
      {u"Log &off", DT_SINGLELINE, -12, FW_NORMAL},
      {u"Việt Nam (Partial)", DT_SINGLELINE | DT_NOPREFIX, -12, FW_NORMAL},
      {u"Ελληνικά Русский", DT_SINGLELINE | DT_NOPREFIX, -12, FW_BOLD},
      {u"简体中文 日本語 한국어", DT_SINGLELINE | DT_NOPREFIX, -12, FW_NORMAL},
      {u"عربي (Partial) فارسی", DT_SINGLELINE | DT_NOPREFIX, -12, FW_NORMAL},
      {u"Shut the computer down\r\nand turn it off", DT_NOPREFIX, -11, FW_NORMAL},
      {u"Reboot the computer now, closing every program", DT_WORDBREAK | DT_NOPREFIX, -11, FW_NORMAL},
  };
  for (const Case& c : cases) {
    TextCanvas canvas(400, 120, logFont(c.height, c.weight));
    RECT measured = calc(canvas.dc, c.text, c.format, RECT{10, 10, 150, 10});
    ASSERT_GT(measured.right, measured.left) << printable(c.text);
    ASSERT_GT(measured.bottom, measured.top) << printable(c.text);
    draw(canvas.dc, c.text, c.format | DT_NOCLIP, measured);
    RECT ink = canvas.ink();
    EXPECT_FALSE(IsRectEmpty(&ink)) << printable(c.text);
    EXPECT_TRUE(inside(ink, measured)) << printable(c.text) << " ink " << ink.left << "," << ink.top << ","
                                       << ink.right << "," << ink.bottom << " measured " << measured.left << ","
                                       << measured.top << "," << measured.right << "," << measured.bottom;
  }
}

TEST(DrawText, SingleLineMeasureMatchesTheExtent) {
  TextCanvas canvas(10, 10, logFont(-13));
  for (const std::u16string text : {u"Stand by", u"Ein Text für die Schaltfläche", u"日本語"}) {
    SIZE size{};
    GetTextExtentPoint32W(canvas.dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT r = calc(canvas.dc, text, DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 0, 0});
    EXPECT_EQ(r.right, size.cx) << printable(text);
    EXPECT_EQ(r.bottom, size.cy) << printable(text);
    EXPECT_EQ(draw(canvas.dc, text, DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 10, 10}), size.cy);
  }
}

TEST(DrawText, LinesBreakAtLineBreaksUnlessSingleLine) {
  TextCanvas canvas(10, 10);
  int h = lineHeight(canvas.dc);
  struct Case {
    std::u16string text;
    UINT format;
    int lines;
  } cases[] = {
      {u"one", 0, 1},
      {u"one\r\ntwo", 0, 2},
      {u"one\ntwo\rthree", 0, 3},
      {u"one\r\n\r\nthree", 0, 3},
      {u"one\r\ntwo", DT_SINGLELINE, 1},
      {u"", 0, 1},
  };
  for (const Case& c : cases) {
    RECT r = calc(canvas.dc, c.text, c.format | DT_NOPREFIX, RECT{0, 0, 200, 0});
    EXPECT_EQ(r.bottom, c.lines * h) << printable(c.text);
  }
}

TEST(DrawText, WordBreaksPutEachWordThatDoesNotFitOnANewLine) {
  TextCanvas canvas(10, 10, logFont(-12));
  int h = lineHeight(canvas.dc);
  auto extent = [&](const std::u16string& t) { return widthOf(canvas.dc, t); };
  const std::u16string text = u"Stand by and Hibernate";
  int widest = std::max({extent(u"Stand"), extent(u"by"), extent(u"and"), extent(u"Hibernate")});
  // In no width at all every word is a line, and the widest word is the width.
  RECT zero = calc(canvas.dc, text, DT_WORDBREAK | DT_NOPREFIX, RECT{0, 0, 0, 0});
  EXPECT_EQ(zero.bottom, 4 * h);
  EXPECT_EQ(zero.right, widest);
  // Wide enough for all of it: one line.
  RECT wide = calc(canvas.dc, text, DT_WORDBREAK | DT_NOPREFIX, RECT{0, 0, 1000, 0});
  EXPECT_EQ(wide.bottom, h);
  EXPECT_EQ(wide.right, extent(text));
  // Exactly "Stand by and" fits: the last word goes down.
  RECT two = calc(canvas.dc, text, DT_WORDBREAK | DT_NOPREFIX, RECT{0, 0, extent(u"Stand by and"), 0});
  EXPECT_EQ(two.bottom, 2 * h);
  EXPECT_EQ(two.right, std::max(extent(u"Stand by and"), extent(u"Hibernate")));
  // Text without spaces in CJK breaks between characters.
  RECT cjk = calc(canvas.dc, u"日本語日本語", DT_WORDBREAK | DT_NOPREFIX, RECT{0, 0, extent(u"日本語"), 0});
  EXPECT_EQ(cjk.bottom, 2 * h);
}

TEST(DrawText, EndEllipsisKeepsALongLineInsideItsRectangle) {
  const std::u16string text = u"Shut down the computer and turn it off";
  TextCanvas canvas(300, 40, logFont(-12));
  SIZE full{};
  GetTextExtentPoint32W(canvas.dc, text.c_str(), static_cast<int>(text.size()), &full);
  for (int width : {150, 80, 40, 20}) {
    canvas.clear();
    RECT box{5, 5, 5 + width, 30};
    RECT measured = calc(canvas.dc, text, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, box);
    EXPECT_LE(measured.right - measured.left, width) << width;
    draw(canvas.dc, text, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOCLIP, box);
    RECT ink = canvas.ink();
    EXPECT_TRUE(inside(ink, box)) << width << " ink right " << ink.right;
    // What shows is a start of the text and the three dots.
    std::u16string shown;
    for (size_t n = text.size(); n > 0 && shown.empty(); --n) {
      std::u16string candidate = text.substr(0, n);
      while (!candidate.empty() && candidate.back() == u' ') candidate.pop_back();
      candidate += u"...";
      SIZE s{};
      GetTextExtentPoint32W(canvas.dc, candidate.c_str(), static_cast<int>(candidate.size()), &s);
      if (s.cx <= width) shown = candidate;
    }
    if (shown.empty()) continue;
    TextCanvas expected(300, 40, logFont(-12));
    draw(expected.dc, shown, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP, box);
    EXPECT_EQ(canvas.snapshot(), expected.snapshot()) << width << " " << printable(shown);
  }
  // A line that fits is left alone.
  canvas.clear();
  RECT wide{5, 5, 5 + full.cx, 30};
  draw(canvas.dc, text, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, wide);
  TextCanvas plain(300, 40, logFont(-12));
  draw(plain.dc, text, DT_SINGLELINE | DT_NOPREFIX, wide);
  EXPECT_EQ(canvas.snapshot(), plain.snapshot());
}

TEST(DrawText, PrefixesUnderlineTheNextLetterAndDoubleAmpersandsShowOne) {
  struct Case {
    std::u16string prefixed;
    std::u16string shown;
    bool underline;
  } cases[] = {
      {u"&File", u"File", true},
      {u"Save &as", u"Save as", true},
      {u"Fish && chips", u"Fish & chips", false},
      {u"trailing&", u"trailing", false},
      {u"no prefix", u"no prefix", false},
  };
  for (const Case& c : cases) {
    TextCanvas withPrefix(200, 30, logFont(-12));
    TextCanvas plain(200, 30, logFont(-12));
    RECT box{4, 4, 196, 26};
    draw(withPrefix.dc, c.prefixed, DT_SINGLELINE, box);
    draw(plain.dc, c.shown, DT_SINGLELINE | DT_NOPREFIX, box);
    RECT measuredPrefixed = calc(withPrefix.dc, c.prefixed, DT_SINGLELINE, box);
    RECT measuredShown = calc(plain.dc, c.shown, DT_SINGLELINE | DT_NOPREFIX, box);
    EXPECT_EQ(measuredPrefixed.right, measuredShown.right) << printable(c.prefixed);
    int differing = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 200; ++x) differing += withPrefix.at(x, y) != plain.at(x, y);
    if (c.underline)
      EXPECT_GT(differing, 0) << printable(c.prefixed);
    else
      EXPECT_EQ(differing, 0) << printable(c.prefixed);
    // Hidden prefixes draw the plain text.
    TextCanvas hidden(200, 30, logFont(-12));
    draw(hidden.dc, c.prefixed, DT_SINGLELINE | DT_HIDEPREFIX, box);
    EXPECT_EQ(hidden.snapshot(), plain.snapshot()) << printable(c.prefixed);
  }
  // Without prefix processing the ampersand is a character like any other.
  TextCanvas canvas(10, 10, logFont(-12));
  EXPECT_GT(calc(canvas.dc, u"&File", DT_SINGLELINE | DT_NOPREFIX, RECT{}).right,
            calc(canvas.dc, u"&File", DT_SINGLELINE, RECT{}).right);
}

TEST(DrawText, TheUnderlineOfAPrefixLiesUnderItsLetter) {
  TextCanvas withPrefix(200, 30, logFont(-12));
  TextCanvas plain(200, 30, logFont(-12));
  RECT box{4, 4, 196, 26};
  draw(withPrefix.dc, u"Save &as", DT_SINGLELINE, box);
  draw(plain.dc, u"Save as", DT_SINGLELINE | DT_NOPREFIX, box);
  RECT before = calc(plain.dc, u"Save ", DT_SINGLELINE | DT_NOPREFIX, box);
  RECT through = calc(plain.dc, u"Save a", DT_SINGLELINE | DT_NOPREFIX, box);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x)
      if (withPrefix.at(x, y) != plain.at(x, y)) {
        EXPECT_GE(x, before.right - 1);
        EXPECT_LE(x, through.right + 1);
      }
}

TEST(DrawText, RightToLeftTextPutsItsFirstCharacterOnTheRight) {
  // "1" before an Arabic word: the paragraph is right to left, so the digit ends up at the right end.
  TextCanvas digit(200, 30, logFont(-16));
  draw(digit.dc, u"1", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 200, 30});
  RECT one = digit.ink();
  TextCanvas mixed(200, 30, logFont(-16));
  draw(mixed.dc, u"1 عربي", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 200, 30});
  RECT all = mixed.ink();
  int w = one.right - one.left;
  bool same = true;
  for (int y = one.top; y < one.bottom; ++y)
    for (int x = 0; x < w; ++x) same = same && digit.at(one.left + x, y) == mixed.at(all.right - w + x, y);
  EXPECT_TRUE(same);
  // Left to right text keeps it on the left.
  TextCanvas latin(200, 30, logFont(-16));
  draw(latin.dc, u"1 abc", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 200, 30});
  RECT l = latin.ink();
  same = true;
  for (int y = one.top; y < one.bottom; ++y)
    for (int x = 0; x < w; ++x) same = same && digit.at(one.left + x, y) == latin.at(l.left + x, y);
  EXPECT_TRUE(same);
}

TEST(DrawText, ArabicLettersAreJoined) {
  // Joined letters take other glyphs than the same letters apart, so the drawings differ.
  TextCanvas joined(200, 30, logFont(-16));
  TextCanvas apart(200, 30, logFont(-16));
  draw(joined.dc, u"عربي", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 200, 30});
  draw(apart.dc, u"ع ر ب ي", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 200, 30});
  RECT a = joined.ink(), b = apart.ink();
  EXPECT_LT(a.right - a.left, b.right - b.left);
}

TEST(DrawText, CentredTextSitsInTheMiddle) {
  TextCanvas canvas(200, 60, logFont(-12));
  RECT box{10, 10, 190, 50};
  draw(canvas.dc, u"Stand by", DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, box);
  RECT ink = canvas.ink();
  RECT measured = calc(canvas.dc, u"Stand by", DT_SINGLELINE | DT_NOPREFIX, box);
  int w = measured.right - measured.left, h = measured.bottom - measured.top;
  EXPECT_GE(ink.left, box.left + (180 - w) / 2);
  EXPECT_LE(ink.right, box.left + (180 - w) / 2 + w);
  EXPECT_GE(ink.top, box.top + (40 - h) / 2);
  EXPECT_LE(ink.bottom, box.top + (40 - h) / 2 + h);
  EXPECT_NEAR(ink.left - box.left, box.right - ink.right, 3);
}

TEST(DrawText, ClipsToTheRectangleUnlessAskedNotTo) {
  const std::u16string text = u"Hibernate the computer";
  for (bool noClip : {false, true}) {
    TextCanvas canvas(300, 40, logFont(-14));
    RECT box{10, 10, 50, 20};
    draw(canvas.dc, text, DT_SINGLELINE | DT_NOPREFIX | (noClip ? DT_NOCLIP : 0), box);
    RECT ink = canvas.ink();
    EXPECT_EQ(inside(ink, box), !noClip) << noClip;
  }
}

TEST(DrawText, OpaqueModeFillsTheTextBackground) {
  for (int mode : {OPAQUE, TRANSPARENT}) {
    TextCanvas canvas(100, 30, logFont(-12));
    SetBkMode(canvas.dc, mode);
    SetBkColor(canvas.dc, RGB(0, 255, 0));
    draw(canvas.dc, u"Log off", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 100, 30});
    EXPECT_EQ(countColours(canvas, 0x00FF00) > 0, mode == OPAQUE) << mode;
  }
}

TEST(DrawText, RefusesBadArguments) {
  TextCanvas canvas(10, 10);
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(DrawTextW(nullptr, u"x", 1, &r, 0), 0);
  EXPECT_EQ(DrawTextW(canvas.dc, u"x", 1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(canvas.dc, nullptr, 3, &r, 0), 0);
}

TEST(Quality, NonAntialiasedTextHasOnlyPureColours) {
  struct Case {
    BYTE quality;
    bool pure;
  } cases[] = {{NONANTIALIASED_QUALITY, true}, {CLEARTYPE_QUALITY, false}, {DEFAULT_QUALITY, false}};
  for (const Case& c : cases) {
    TextCanvas canvas(300, 40, logFont(-13, FW_NORMAL, c.quality));
    canvas.clear(0x0000FF);
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    draw(canvas.dc, u"Shut down Русский 日本語 عربي", DT_SINGLELINE | DT_NOPREFIX, RECT{2, 2, 298, 38});
    int red = 0, other = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 300; ++x) {
        uint32_t p = canvas.at(x, y);
        if (p == 0xFF0000) ++red;
        else if (p != 0x0000FF) ++other;
      }
    EXPECT_GT(red, 0) << int(c.quality);
    EXPECT_EQ(other == 0, c.pure) << int(c.quality);
  }
}

TEST(TextOut, DrawsFromTheTopLeftOfTheCell) {
  TextCanvas canvas(200, 40, logFont(-12));
  ASSERT_TRUE(TextOutW(canvas.dc, 20, 10, u"Reboot", 6));
  RECT ink = canvas.ink();
  SIZE size{};
  GetTextExtentPoint32W(canvas.dc, u"Reboot", 6, &size);
  EXPECT_TRUE(inside(ink, RECT{20, 10, 20 + size.cx, 10 + size.cy}));
  // The same text by DrawTextW at the same place gives the same pixels.
  TextCanvas other(200, 40, logFont(-12));
  draw(other.dc, u"Reboot", DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP, RECT{20, 10, 20, 10});
  EXPECT_EQ(canvas.snapshot(), other.snapshot());
}

TEST(ExtTextOut, OpaqueFillsAndClippedKeepsToTheRectangle) {
  TextCanvas canvas(200, 40, logFont(-14));
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  RECT box{10, 5, 40, 30};
  ASSERT_TRUE(ExtTextOutW(canvas.dc, 10, 5, ETO_OPAQUE | ETO_CLIPPED, &box, u"Hibernate", 9, nullptr));
  RECT ink = canvas.ink();
  EXPECT_TRUE(EqualRect(&ink, &box));
  int blue = countColours(canvas, 0x0000FF), white = countColours(canvas, TextCanvas::kWhite);
  EXPECT_GT(blue, 0);
  // Text was drawn over the fill: some pixels of the box are neither the fill nor untouched.
  EXPECT_LT(blue + white, canvas.width() * canvas.height());
}

TEST(ExtTextOut, PlacesCharactersAtTheGivenAdvances) {
  TextCanvas spaced(200, 30, logFont(-12));
  INT dx[] = {30, 30, 30};
  ASSERT_TRUE(ExtTextOutW(spaced.dc, 0, 0, 0, nullptr, u"iii", 3, dx));
  RECT ink = spaced.ink();
  EXPECT_GE(ink.right - ink.left, 60);
}

TEST(DrawText, FollowsTheViewportOrigin) {
  TextCanvas moved(200, 40, logFont(-12));
  TextCanvas placed(200, 40, logFont(-12));
  SetViewportOrgEx(moved.dc, 30, 7, nullptr);
  draw(moved.dc, u"Log off", DT_SINGLELINE | DT_NOPREFIX, RECT{0, 0, 100, 20});
  draw(placed.dc, u"Log off", DT_SINGLELINE | DT_NOPREFIX, RECT{30, 7, 130, 27});
  EXPECT_EQ(moved.snapshot(), placed.snapshot());
}

TEST(DrawText, TheHeightOfALatinLineIsTheFontsCell) {
  for (LONG height : {-11, -13, -19}) {
    TextCanvas canvas(10, 10, logFont(height));
    RECT r = calc(canvas.dc, u"TEST", DT_NOPREFIX, RECT{0, 0, 0, 0});
    EXPECT_EQ(r.bottom - r.top, lineHeight(canvas.dc)) << height;
  }
}

TEST(DrawText, WrappedLinesHoldAsManyWordsAsFit) {
  const std::u16string words[] = {u"Vesper", u"puts", u"the", u"computer", u"to", u"sleep,", u"hibernates",
                                  u"it,", u"logs", u"the", u"user", u"off,", u"reboots", u"or", u"shuts",
                                  u"it", u"down", u"when", u"asked."};
  std::u16string text;
  for (const std::u16string& w : words) text += (text.empty() ? u"" : u" ") + w;
  TextCanvas canvas(10, 10, logFont(-12));
  int h = lineHeight(canvas.dc);
  auto extent = [&](const std::u16string& t) { return widthOf(canvas.dc, t); };
  for (int width : {40, 75, 100, 140, 220, 400}) {
    // Lines filled greedily, as a reader would check them.
    int lines = 0, widest = 0;
    std::u16string line;
    for (const std::u16string& w : words) {
      std::u16string longer = line.empty() ? w : line + u" " + w;
      if (!line.empty() && extent(longer) > width) {
        ++lines;
        widest = std::max(widest, extent(line));
        line = w;
      } else {
        line = longer;
      }
    }
    ++lines;
    widest = std::max(widest, extent(line));
    RECT r = calc(canvas.dc, text, DT_WORDBREAK | DT_NOPREFIX, RECT{0, 0, width, 0});
    EXPECT_EQ(r.bottom, lines * h) << width;
    EXPECT_EQ(r.right, widest) << width;
  }
}
