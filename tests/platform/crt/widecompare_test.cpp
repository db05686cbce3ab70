// Lengths and comparisons: only A-Z fold, order is by unsigned unit, results are -1, 0 or 1.
#include <gtest/gtest.h>
#include <win/crt.h>

namespace {

struct Case {
  const char16_t* left;
  const char16_t* right;
  int ignoringCase;
  int ordinal;
};

TEST(WideCompareTest, WholeTexts) {
  const Case cases[] = {
      {u"abc", u"abc", 0, 0},
      {u"ABC", u"abc", 0, -1},
      {u"-SUSPEND", u"-suspend", 0, -1},
      {u"\u00C4", u"\u00E4", -1, -1},  // only ASCII letters fold
      {u"abc", u"abd", -1, -1},
      {u"ab", u"abc", -1, -1},
      {u"abc", u"ab", 1, 1},
      {u"_", u"A", -1, 1},  // A folds to a (97), which sorts after _ (95)
      {u"\u0100", u"a", 1, 1},
      {u"\uFFFF", u"a", 1, 1},  // units are unsigned
      {u"", u"", 0, 0},
      {u"", u"a", -1, -1},
      {nullptr, u"", 0, 0},
      {u"a", nullptr, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.left ? c.left : u"(null)")) + " vs " +
                 testing::PrintToString(std::u16string(c.right ? c.right : u"(null)")));
    EXPECT_EQ(_wcsicmp(c.left, c.right), c.ignoringCase);
    EXPECT_EQ(_wcsicmp(c.right, c.left), -c.ignoringCase);
    EXPECT_EQ(wcscmp16(c.left, c.right), c.ordinal);
    EXPECT_EQ(wcscmp16(c.right, c.left), -c.ordinal);
  }
}

TEST(WideCompareTest, BoundedComparisonsStopAtTheCount) {
  EXPECT_EQ(_wcsnicmp(u"HELLOx", u"helloy", 5), 0);
  EXPECT_EQ(_wcsnicmp(u"HELLOx", u"helloy", 6), -1);
  EXPECT_EQ(_wcsnicmp(u"ab", u"ab", 100), 0);  // stops at the terminators
  EXPECT_EQ(_wcsnicmp(u"a", u"b", 0), 0);
  EXPECT_EQ(wcsncmp16(u"abX", u"abY", 2), 0);
  EXPECT_EQ(wcsncmp16(u"abX", u"abY", 3), -1);
  EXPECT_EQ(wcsncmp16(u"ab", u"abc", 3), -1);
  // The bound keeps the comparison inside unterminated units.
  const char16_t left[2] = {u'Q', u'R'};
  const char16_t right[2] = {u'q', u'R'};
  EXPECT_EQ(_wcsnicmp(left, right, 2), 0);
  EXPECT_EQ(wcsncmp16(left, right, 2), -1);
}

TEST(WideCompareTest, LengthOfNullIsZero) {
  EXPECT_EQ(lstrlenW(nullptr), 0);
  EXPECT_EQ(lstrlenW(u""), 0);
  EXPECT_EQ(lstrlenW(u"a\U0001F600"), 3);
}

}  // namespace
