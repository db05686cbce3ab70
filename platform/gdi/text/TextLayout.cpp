#include "gdi/text/TextLayout.h"

#include "gdi/text/Prefix.h"

#include <algorithm>

namespace platform::gdi::text {

namespace {

const std::u16string kEllipsis = u"...";

struct Piece {
  std::u16string text;
  std::vector<uint32_t> underlined;
};

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000; }

// Ideographs, kana and their punctuation break between any two characters, as CJK text has no spaces.
bool breaksAnywhere(char16_t c) {
  return (c >= 0x2E80 && c < 0xA000) || (c >= 0xF900 && c < 0xFB00) || (c >= 0xFF00 && c < 0xFFF0);
}

bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

Piece slice(const Piece& whole, size_t start, size_t end) {
  Piece p;
  p.text = whole.text.substr(start, end - start);
  for (uint32_t u : whole.underlined)
    if (u >= start && u < end) p.underlined.push_back(static_cast<uint32_t>(u - start));
  return p;
}

std::vector<Piece> paragraphsOf(const PrefixedText& prefixed, bool singleLine) {
  std::vector<Piece> out;
  Piece whole{prefixed.text, prefixed.underlined};
  size_t start = 0;
  const std::u16string& t = whole.text;
  for (size_t i = 0; i <= t.size(); ++i) {
    bool end = i == t.size();
    if (!end && t[i] != u'\r' && t[i] != u'\n') continue;
    if (singleLine && !end) continue;
    out.push_back(slice(whole, start, i));
    if (!end && t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (singleLine) {
    // One line: line breaks take no room.
    Piece& p = out.front();
    Piece kept;
    for (size_t i = 0; i < p.text.size(); ++i) {
      if (p.text[i] == u'\r' || p.text[i] == u'\n') continue;
      for (uint32_t u : p.underlined)
        if (u == i) kept.underlined.push_back(static_cast<uint32_t>(kept.text.size()));
      kept.text.push_back(p.text[i]);
    }
    p = std::move(kept);
  }
  return out;
}

// Tabs become spaces; with DT_EXPANDTABS a tab reaches the next stop of eight characters.
void expandTabs(Piece& p, bool expand) {
  if (p.text.find(u'\t') == std::u16string::npos) return;
  Piece out;
  for (size_t i = 0; i < p.text.size(); ++i) {
    for (uint32_t u : p.underlined)
      if (u == i) out.underlined.push_back(static_cast<uint32_t>(out.text.size()));
    if (p.text[i] != u'\t') {
      out.text.push_back(p.text[i]);
      continue;
    }
    size_t spaces = expand ? 8 - out.text.size() % 8 : 1;
    out.text.append(spaces, u' ');
  }
  p = std::move(out);
}

int widthOf(FontInstance& font, std::u16string_view text, bool rtl) { return font.shape(text, rtl).width; }

// The end of the word that starts at `i` (with the spaces before it, at the start of a line).
size_t wordEnd(const std::u16string& t, size_t i) {
  while (i < t.size() && isSpace(t[i])) ++i;
  if (i < t.size() && breaksAnywhere(t[i])) {
    ++i;
  } else {
    while (i < t.size() && !isSpace(t[i]) && !breaksAnywhere(t[i])) ++i;
  }
  while (i < t.size() && isLowSurrogate(t[i])) ++i;
  return i;
}

struct Word {
  size_t begin;  // the first line of a paragraph keeps its leading spaces
  size_t end;    // before the spaces that follow
  size_t next;   // where the next word begins
  int width;
  int spaceWidth;  // of the spaces that follow
};

std::vector<Word> wordsOf(FontInstance& font, const std::u16string& t, bool rtl) {
  std::vector<Word> words;
  std::u16string_view view(t);
  for (size_t i = 0; i < t.size();) {
    size_t end = wordEnd(t, i);
    size_t next = end;
    while (next < t.size() && isSpace(t[next])) ++next;
    words.push_back(Word{i, end, next, widthOf(font, view.substr(i, end - i), rtl),
                         widthOf(font, view.substr(end, next - end), rtl)});
    i = next;
  }
  return words;
}

// Greedy word wrapping: as many words on a line as fit, a word too wide for any line alone on its own.
// Word widths added up choose the break; shaping the line itself then settles it, so a long text
// costs about one shaping of each line rather than one for every word tried.
std::vector<Piece> wrap(FontInstance& font, const Piece& para, int width, bool rtl) {
  const std::u16string& t = para.text;
  std::vector<Word> words = wordsOf(font, t, rtl);
  if (words.empty()) return {slice(para, 0, t.size())};
  std::vector<Piece> lines;
  for (size_t i = 0; i < words.size();) {
    auto measured = [&](size_t last) {
      return widthOf(font, std::u16string_view(t).substr(words[i].begin, words[last].end - words[i].begin), rtl);
    };
    size_t j = i;
    int estimate = words[i].width;
    while (j + 1 < words.size() && estimate + words[j].spaceWidth + words[j + 1].width <= width) {
      estimate += words[j].spaceWidth + words[j + 1].width;
      ++j;
    }
    while (j > i && measured(j) > width) --j;
    while (j + 1 < words.size() && measured(j + 1) <= width) ++j;
    lines.push_back(slice(para, words[i].begin, words[j].end));
    i = j + 1;
  }
  return lines;
}

bool isCutPoint(const std::u16string& t, size_t i) {
  if (i == 0 || i >= t.size()) return true;
  if (isLowSurrogate(t[i])) return false;
  char16_t c = t[i];
  // Combining marks stay with their letter.
  return !((c >= 0x0300 && c < 0x0370) || (c >= 0x064B && c < 0x0660) || c == 0x0670 || (c >= 0x1AB0 && c < 0x1B00) ||
           (c >= 0x1DC0 && c < 0x1E00) || (c >= 0x20D0 && c < 0x2100) || (c >= 0xFE20 && c < 0xFE30));
}

// The longest start of the line that fits with the ellipsis after it.
void cutWithEllipsis(FontInstance& font, Piece& line, int width, bool rtl) {
  if (widthOf(font, line.text, rtl) <= width) return;
  size_t low = 0, high = line.text.size();
  while (low < high) {
    size_t mid = (low + high + 1) / 2;
    while (mid > low && !isCutPoint(line.text, mid)) --mid;
    if (mid == low) {
      // No cut point between low and the middle: try the next one above instead.
      size_t up = (low + high + 1) / 2;
      while (up < high && !isCutPoint(line.text, up)) ++up;
      if (up >= high) break;
      mid = up;
    }
    std::u16string candidate = line.text.substr(0, mid);
    while (!candidate.empty() && candidate.back() == u' ') candidate.pop_back();
    if (widthOf(font, candidate + kEllipsis, rtl) <= width)
      low = mid;
    else
      high = mid - 1;
  }
  while (low > 0 && !isCutPoint(line.text, low)) --low;
  std::u16string kept = line.text.substr(0, low);
  while (!kept.empty() && kept.back() == u' ') kept.pop_back();
  std::vector<uint32_t> underlined;
  for (uint32_t u : line.underlined)
    if (u < kept.size()) underlined.push_back(u);
  line.text = kept + kEllipsis;
  line.underlined = std::move(underlined);
}

}  // namespace

TextLayout TextLayout::lay(FontInstance& font, std::u16string_view text, UINT format, int width) {
  TextLayout layout;
  const TEXTMETRICW& tm = font.metrics();
  bool single = (format & DT_SINGLELINE) != 0;
  bool rtl = (format & DT_RTLREADING) != 0;
  PrefixedText prefixed = (format & DT_NOPREFIX) ? PrefixedText{std::u16string(text), {}} : Prefix::strip(text);
  if (format & DT_HIDEPREFIX) prefixed.underlined.clear();
  std::vector<Piece> lines;
  for (Piece& para : paragraphsOf(prefixed, single)) {
    expandTabs(para, (format & DT_EXPANDTABS) != 0);
    if ((format & DT_WORDBREAK) && !single) {
      for (Piece& line : wrap(font, para, std::max(0, width), rtl)) lines.push_back(std::move(line));
    } else {
      lines.push_back(std::move(para));
    }
  }
  for (Piece& piece : lines) {
    if (format & DT_END_ELLIPSIS) cutWithEllipsis(font, piece, std::max(0, width), rtl);
    LaidLine line;
    line.text = std::move(piece.text);
    line.underlined = std::move(piece.underlined);
    // A line is the font's cell, grown where glyphs of another script reach past it, so that what is
    // drawn always lies inside what is measured.
    const ShapedText& shaped = font.shape(line.text, rtl);
    line.width = shaped.width;
    line.ascent = std::max<int>(tm.tmAscent, shaped.above);
    line.height = line.ascent + std::max<int>(tm.tmDescent, shaped.below);
    layout.height += line.height;
    layout.width = std::max(layout.width, line.width);
    layout.lines.push_back(std::move(line));
  }
  return layout;
}

}  // namespace platform::gdi::text
