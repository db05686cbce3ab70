// In-place edits of the string buffer: case, trimming, insertion, narrow appends, replacement and
// the pieces cut out of it.
#include <gtest/gtest.h>

#include "StrTestSupport.h"

using s::str::strbuffer::StrBuffer;
using strtest::printable;
using strtest::ScopedBuffer;
using strtest::textOf;

TEST(StrBufferCase, FoldsAsciiLettersOnly) {
  struct Case {
    std::u16string text;
    std::u16string lower, upper, capitalized;
  } cases[] = {
      {u"Hello World", u"hello world", u"HELLO WORLD", u"Hello world"},
      {u"\u00C4pfel", u"\u00C4pfel", u"\u00C4PFEL", u"\u00C4pfel"},
      {u"[@`{", u"[@`{", u"[@`{", u"[@`{"},
      {u"mIXED", u"mixed", u"MIXED", u"Mixed"},
      {u"", u"", u"", u""},
  };
  for (const Case& c : cases) {
    ScopedBuffer lower(c.text), upper(c.text), capitalized(c.text);
    lower->toLowerCase();
    upper->toUpperCase();
    capitalized->capitalize();
    EXPECT_EQ(textOf(lower.get()), c.lower) << printable(c.text);
    EXPECT_EQ(textOf(upper.get()), c.upper) << printable(c.text);
    EXPECT_EQ(textOf(capitalized.get()), c.capitalized) << printable(c.text);
  }
  ScopedBuffer units(u"aZ\u00E4");
  EXPECT_EQ(units->charAtUpper(0), u'A');
  EXPECT_EQ(units->charAtLower(1), u'z');
  EXPECT_EQ(units->charAtUpper(2), u'\u00E4');
}

TEST(StrBufferCase, Reverse) {
  const std::u16string texts[] = {u"", u"a", u"ab", u"abc", u"\u3000x\uFFFF"};
  for (const std::u16string& t : texts) {
    ScopedBuffer text(t);
    text->reverse();
    EXPECT_EQ(textOf(text.get()), std::u16string(t.rbegin(), t.rend())) << printable(t);
  }
}

TEST(StrBufferTrim, WhiteSpaceAndUnitSets) {
  enum Kind { kRight, kRightKeeping2, kRightChars, kRightCharsKeeping1, kLeft, kLeftChars };
  struct Case {
    Kind kind;
    std::u16string text;
    std::u16string expected;
  } cases[] = {
      {kRight, u"text \t\r\n\u3000\u3000", u"text"},  // ideographic spaces go too
      {kRight, u"   ", u""},
      {kRight, u"a\u00A0", u"a\u00A0"},  // no-break space is not white space here
      {kRight, u"", u""},
      {kRightKeeping2, u"a  ", u"a "},  // never below two units
      {kRightKeeping2, u"a", u"a"},
      {kRightKeeping2, u"abc   ", u"abc"},
      {kRightChars, u"path\\\\//", u"path"},
      {kRightCharsKeeping1, u"////", u"/"},
      {kLeft, u" \t\u3000text ", u"text "},
      {kLeft, u"\n\n", u""},
      {kLeftChars, u"0007", u"7"},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    switch (c.kind) {
      case kRight: text->trimRight(); break;
      case kRightKeeping2: text->trimRightKeeping(2); break;
      case kRightChars: text->trimRightChars(u"\\/"); break;
      case kRightCharsKeeping1: text->trimRightCharsKeeping(u"/", 1); break;
      case kLeft: text->trimLeft(); break;
      case kLeftChars: text->trimLeftChars(u"0", 1); break;
    }
    EXPECT_EQ(textOf(text.get()), c.expected) << c.kind << " " << printable(c.text);
  }
}

TEST(StrBufferInsert, FrontInsertionWithAndWithoutGrowth) {
  ScopedBuffer text(u"world");
  text->insertFront(u"hello ");
  EXPECT_EQ(textOf(text.get()), u"hello world");
  ASSERT_TRUE(text->reserve(200));
  text->insertFront(u">>>", 2);
  EXPECT_EQ(textOf(text.get()), u">>hello world");
  // Inserting a piece of the buffer itself.
  text->insertFront(text->getChars() + 2, 5);
  EXPECT_EQ(textOf(text.get()), u"hello>>hello world");
  ScopedBuffer empty;
  empty->insertFront(u"x");
  EXPECT_EQ(textOf(empty.get()), u"x");
}

TEST(StrBufferInsert, NarrowBytesAreSignExtended) {
  ScopedBuffer text;
  const char bytes[] = {'A', 0x7F, static_cast<char>(0x80), static_cast<char>(0xFF)};
  text->appendNarrow(bytes, 4);
  EXPECT_EQ(textOf(text.get()), u"A\u007F\uFF80\uFFFF");
  text->appendAscii("-ok");
  EXPECT_EQ(text->length(), 7u);
  EXPECT_EQ(text->charAt(6), u'k');
}

TEST(StrBufferReplace, AllLengthRelations) {
  struct Case {
    std::u16string text;
    const char16_t* from;
    const char16_t* to;
    bool ignoreCase;
    std::u16string expected;
    uint32_t replaced;
  } cases[] = {
      {u"a-b-c", u"-", u"+", false, u"a+b+c", 2},          // equal lengths
      {u"a--b--c", u"--", u"-", false, u"a-b-c", 2},       // shorter
      {u"a-b-c", u"-", u" - ", false, u"a - b - c", 2},    // longer
      {u"aaaa", u"aa", u"b", false, u"bb", 2},             // non-overlapping, left to right
      {u"aaa", u"aa", u"aaaa", false, u"aaaaa", 1},        // scanning goes on after the replacement
      {u"xyz", u"q", u"longer", false, u"xyz", 0},
      {u"abc", u"", u"x", false, u"abc", 0},               // an empty pattern replaces nothing
      {u"abc", u"abc", u"", false, u"", 1},
      {u"abc", u"b", nullptr, false, u"ac", 1},
      {u"One one ONE", u"one", u"1", true, u"1 1 1", 3},
      {u"One one ONE", u"one", u"1", false, u"One 1 ONE", 1},
      {u"Path\\To\\File", u"\\", u"\\\\", false, u"Path\\\\To\\\\File", 2},
      {u"ab", u"abc", u"x", false, u"ab", 0},
      {u"tail-", u"-", u"--", false, u"tail--", 1},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    uint32_t replaced = c.ignoreCase ? text->replaceAllIgnoreCase(c.from, c.to) : text->replaceAll(c.from, c.to);
    EXPECT_EQ(textOf(text.get()), c.expected) << printable(c.text) << " " << printable(c.from);
    EXPECT_EQ(replaced, c.replaced) << printable(c.text) << " " << printable(c.from);
  }
}

TEST(StrBufferReplace, PatternsFromTheBufferItself) {
  ScopedBuffer text(u"ab ab");
  text->replaceAll(text->getText() + 3, u"x");
  EXPECT_EQ(textOf(text.get()), u"x x");
}

TEST(StrBufferPieces, SubstringKeepRangeAndClone) {
  ScopedBuffer text(u"0123456789");
  struct Case {
    uint32_t start, end;
    std::u16string expected;
  } cases[] = {{0, 3, u"012"}, {7, 100, u"789"}, {5, 5, u""}, {6, 2, u""}, {0, 10, u"0123456789"}, {12, 20, u""}};
  for (const Case& c : cases) {
    StrBuffer* piece = text->substring(c.start, c.end);
    EXPECT_EQ(textOf(piece), c.expected) << c.start << ".." << c.end;
    piece->release();
    ScopedBuffer kept(u"0123456789");
    kept->keepRange(c.start, c.end);
    EXPECT_EQ(textOf(kept.get()), c.expected) << c.start << ".." << c.end;
  }
  StrBuffer* copy = text->clone();
  EXPECT_NE(copy, text.get());
  EXPECT_TRUE(copy->equals(text.get()));
  copy->release();
}

TEST(StrBufferPieces, PrefixesBeforeSearches) {
  ScopedBuffer text(u"dir/sub/file.tar.gz");
  struct Case {
    int kind;
    std::u16string expected;
  } cases[] = {
      {0, u"dir"}, {1, u"dir/sub"}, {2, u"dir"}, {3, u"dir/sub/file.tar"}, {4, u"dir/sub/file"},
      {5, u"dir/sub/file.tar"}, {6, u""},
  };
  for (const Case& c : cases) {
    StrBuffer* piece = nullptr;
    switch (c.kind) {
      case 0: piece = text->beforeFirst(u'/'); break;
      case 1: piece = text->beforeLast(u'/'); break;
      case 2: piece = text->beforeFirstAny(u"./"); break;
      case 3: piece = text->beforeLastAny(u"./"); break;
      case 4: piece = text->beforeFirst(u".ta"); break;
      case 5: piece = text->beforeLast(u".gz"); break;
      default: piece = text->beforeLast(u'#'); break;
    }
    ASSERT_NE(piece, nullptr);
    EXPECT_EQ(textOf(piece), c.expected) << c.kind;
    piece->release();
  }
}
