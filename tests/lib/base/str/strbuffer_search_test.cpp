// Searches, region matches, prefix and suffix tests and positional comparisons of the string buffer.
#include <gtest/gtest.h>

#include "StrTestSupport.h"

using s::str::strbuffer::StrBuffer;
using strtest::printable;
using strtest::ScopedBuffer;

TEST(StrBufferRegion, SwitchMatchingReachesTheEnd) {
  struct Case {
    const char16_t* text;
    bool expected;
  } cases[] = {
      {u"-suspend", true}, {u"-SUSPEND", true}, {u"-SuSpEnD", true},
      {u"-suspendx", false},  // more letters after the switch
      {u"-susp", false},      // a shorter prefix
      {u"", false},           {u"/suspend", false},
  };
  for (const Case& c : cases) {
    ScopedBuffer text(c.text);
    EXPECT_EQ(text->regionMatchesIgnoreCase(0, u"-suspend", 0, -1), c.expected) << printable(c.text);
  }
}

TEST(StrBufferRegion, ExplicitCountsAndOffsets) {
  ScopedBuffer text(u"Hello World");
  struct Case {
    uint32_t index;
    const char16_t* other;
    uint32_t otherIndex;
    int32_t count;
    bool exact;
    bool ignoreCase;
  } cases[] = {
      {6, u"World", 0, 5, true, true},
      {6, u"WORLD", 0, 5, false, true},
      {6, u"xxWorld", 2, 5, true, true},
      {6, u"World", 0, 6, false, false},   // would pass the end
      {6, u"World", 0, -1, true, true},    // rest of the text, ends at the end
      {0, u"Hello", 0, -1, false, false},  // matches but does not reach the end
      {0, u"Hello", 0, 5, true, true},
      {11, u"", 0, 0, true, true},
      {11, u"", 0, -1, true, true},
      {12, u"", 0, 0, false, false},
      {0, u"xHello World", 1, -1, true, true},
      {0, u"ab", 5, -1, false, false},  // text index past the text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text->regionMatches(c.index, c.other, c.otherIndex, c.count), c.exact)
        << c.index << " " << printable(c.other) << " " << c.count;
    EXPECT_EQ(text->regionMatchesIgnoreCase(c.index, c.other, c.otherIndex, c.count), c.ignoreCase)
        << c.index << " " << printable(c.other) << " " << c.count;
  }
  EXPECT_FALSE(text->regionMatches(0, nullptr, 0, 0));
}

TEST(StrBufferRegion, OnlyAsciiLettersFold) {
  ScopedBuffer text(u"\u00C4[@");
  EXPECT_FALSE(text->regionMatchesIgnoreCase(0, u"\u00E4", 0, 1));
  EXPECT_FALSE(text->regionMatchesIgnoreCase(1, u"{", 0, 1));  // "[" + 32 is "{" but no letter
  EXPECT_FALSE(text->regionMatchesIgnoreCase(2, u"`", 0, 1));
}

TEST(StrBufferRegion, StartsAndEnds) {
  ScopedBuffer text(u"Settings.XML");
  struct Case {
    const char16_t* other;
    int32_t count;
    bool starts, startsIgnoreCase, ends, endsIgnoreCase;
  } cases[] = {
      {u"Settings", -1, true, true, false, false},
      {u"settings", -1, false, true, false, false},
      {u".XML", -1, false, false, true, true},
      {u".xml", -1, false, false, false, true},
      {u".xmlfoo", 4, false, false, false, true},
      {u"", -1, true, true, true, true},
      {u"Settings.XML!", -1, false, false, false, false},  // longer than the text
      {u"Settings.XML", -1, true, true, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text->startsWith(c.other, c.count), c.starts) << printable(c.other);
    EXPECT_EQ(text->startsWithIgnoreCase(c.other, c.count), c.startsIgnoreCase) << printable(c.other);
    EXPECT_EQ(text->endsWith(c.other, c.count), c.ends) << printable(c.other);
    EXPECT_EQ(text->endsWithIgnoreCase(c.other, c.count), c.endsIgnoreCase) << printable(c.other);
  }
}

TEST(StrBufferSearch, UnitSearchesBothWays) {
  ScopedBuffer text(u"a.B.c.b");
  struct Case {
    int kind;  // 0 indexOf, 1 indexOfIgnoreCase, 2 lastIndexOf, 3 lastIndexOfIgnoreCase
    char16_t unit;
    uint32_t start;
    bool found;
    uint32_t at;
  } cases[] = {
      {0, u'.', 0, true, 1},   {0, u'.', 2, true, 3},    {0, u'b', 0, true, 6},
      {0, u'z', 0, false, 0},  {0, u'.', 7, false, 0},   {0, u'.', 100, false, 0},
      {1, u'b', 0, true, 2},   {1, u'C', 0, true, 4},
      {2, u'.', StrBuffer::kFromEnd, true, 5},           {2, u'.', 5, true, 3},
      {2, u'.', 1, false, 0},  {2, u'a', 1, true, 0},    {2, u'b', 100, true, 6},
      {2, u'B', 0, false, 0},  {3, u'B', StrBuffer::kFromEnd, true, 6},
      {3, u'b', 6, true, 2},
  };
  for (const Case& c : cases) {
    uint32_t at = 12345;
    bool found = false;
    switch (c.kind) {
      case 0: found = text->indexOf(c.unit, &at, c.start); break;
      case 1: found = text->indexOfIgnoreCase(c.unit, &at, c.start); break;
      case 2: found = text->lastIndexOf(c.unit, &at, c.start); break;
      default: found = text->lastIndexOfIgnoreCase(c.unit, &at, c.start); break;
    }
    EXPECT_EQ(found, c.found) << c.kind << " " << static_cast<char>(c.unit) << " " << c.start;
    if (c.found && found) {
      EXPECT_EQ(at, c.at) << c.kind << " " << static_cast<char>(c.unit) << " " << c.start;
    }
  }
}

TEST(StrBufferSearch, AnyOfSeveralUnits) {
  ScopedBuffer text(u"path/to\\File.txt");
  uint32_t at = 0;
  EXPECT_TRUE(text->indexOfAny(u"/\\", -1, &at));
  EXPECT_EQ(at, 4u);
  EXPECT_TRUE(text->indexOfAny(u"/\\", 2, &at, 5));
  EXPECT_EQ(at, 7u);
  EXPECT_TRUE(text->lastIndexOfAny(u"/\\", -1, &at));
  EXPECT_EQ(at, 7u);
  EXPECT_TRUE(text->lastIndexOfAny(u"/\\", -1, &at, 7));
  EXPECT_EQ(at, 4u);
  EXPECT_FALSE(text->indexOfAny(u"F", 0, &at));  // an empty set finds nothing
  EXPECT_TRUE(text->indexOfAnyIgnoreCase(u"fx", -1, &at));
  EXPECT_EQ(at, 8u);
  EXPECT_TRUE(text->lastIndexOfAnyIgnoreCase(u"FP", -1, &at));
  EXPECT_EQ(at, 8u);
  EXPECT_FALSE(text->indexOfAny(u"/", -1, &at, 100));
}

TEST(StrBufferSearch, TextSearches) {
  ScopedBuffer text(u"abcABCabc");
  struct Case {
    int kind;  // 0 indexOf, 1 indexOfIgnoreCase, 2 lastIndexOf, 3 lastIndexOfIgnoreCase
    const char16_t* needle;
    uint32_t start;
    bool found;
    uint32_t at;
  } cases[] = {
      {0, u"abc", 0, true, 0},   {0, u"abc", 1, true, 6},  {0, u"ABC", 0, true, 3},
      {0, u"abcd", 0, false, 0}, {0, u"", 4, true, 4},     {0, u"", 9, true, 9},
      {0, u"", 10, false, 0},    {0, u"c", 9, false, 0},   {0, u"abcABCabcX", 0, false, 0},
      {1, u"ABC", 1, true, 3},   {1, u"bca", 0, true, 1},  {1, u"", 0, false, 0},
      {2, u"abc", StrBuffer::kFromEnd, true, 6},           {2, u"abc", 6, true, 0},
      {2, u"abc", 0, false, 0},  {2, u"", StrBuffer::kFromEnd, false, 0},
      {2, u"bcA", StrBuffer::kFromEnd, true, 1},
      {3, u"ABC", StrBuffer::kFromEnd, true, 6},           {3, u"ABC", 6, true, 3},
      {3, u"cab", StrBuffer::kFromEnd, true, 5},
  };
  for (const Case& c : cases) {
    uint32_t at = 12345;
    bool found = false;
    switch (c.kind) {
      case 0: found = text->indexOf(c.needle, &at, c.start); break;
      case 1: found = text->indexOfIgnoreCase(c.needle, &at, c.start); break;
      case 2: found = text->lastIndexOf(c.needle, &at, c.start); break;
      default: found = text->lastIndexOfIgnoreCase(c.needle, &at, c.start); break;
    }
    EXPECT_EQ(found, c.found) << c.kind << " " << printable(c.needle) << " " << c.start;
    if (c.found && found) {
      EXPECT_EQ(at, c.at) << c.kind << " " << printable(c.needle) << " " << c.start;
    }
  }
}

TEST(StrBufferSearch, EmptyBufferFindsNothing) {
  ScopedBuffer text;
  uint32_t at = 0;
  EXPECT_FALSE(text->indexOf(u'a', &at));
  EXPECT_FALSE(text->lastIndexOf(u'a', &at));
  EXPECT_FALSE(text->indexOf(u"a", &at));
  EXPECT_FALSE(text->lastIndexOf(u"a", &at));
  EXPECT_FALSE(text->indexOfIgnoreCase(u"a", &at));
  EXPECT_FALSE(text->lastIndexOfAny(u"ab", -1, &at));
}

TEST(StrBufferCompareAt, OrdinalAndIgnoringCase) {
  ScopedBuffer text(u"key=Value");
  struct Case {
    uint32_t index;
    const char16_t* other;
    uint32_t otherIndex;
    int32_t count;
    int32_t exact;
    int32_t ignoreCase;
  } cases[] = {
      {4, u"Value", 0, -1, 0, 0},   {4, u"value", 0, -1, -1, 0}, {4, u"Valuf", 0, -1, -1, -1},
      {4, u"Val", 0, -1, 1, 1},     {4, u"Val", 0, 3, 0, 0},     {0, u"xkey", 1, 3, 0, 0},
      {9, u"", 0, -1, 0, 0},        {9, u"a", 0, -1, -1, -1},    {10, u"", 0, -1, -1, -1},
      {0, u"KEY=", 0, 4, 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text->compareAt(c.index, c.other, c.otherIndex, c.count), c.exact)
        << c.index << " " << printable(c.other) << " " << c.count;
    EXPECT_EQ(text->compareAtIgnoreCase(c.index, c.other, c.otherIndex, c.count), c.ignoreCase)
        << c.index << " " << printable(c.other) << " " << c.count;
  }
}
