// Parsing numbers out of wide text: white space, signs, the first non-digit, and saturation at the
// limits of the result type.
#include <gtest/gtest.h>
#include <win/crt.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

TEST(WideConvertTest, WtoiReadsASignedDecimalPrefix) {
  struct Case {
    const char16_t* text;
    int value;
  };
  const Case cases[] = {
      {u"42", 42},
      {u"  -17abc", -17},
      {u"+5", 5},
      {u"\t\r\n\v\f 12", 12},
      {u"007", 7},
      {u"12 34", 12},
      {u"abc", 0},
      {u"", 0},
      {u"-", 0},
      {u"- 5", 0},
      {u"--5", 0},
      {u"+-5", 0},
      {u"0x1A", 0},
      {u"\uFF11", 0},
      {u"\u30001", 0},  // only ASCII digits and spaces
      {u"2147483647", INT_MAX},
      {u"-2147483648", INT_MIN},
      {u"2147483648", INT_MAX},
      {u"-2147483649", INT_MIN},
      {u"99999999999999999999999", INT_MAX},
      {u"-99999999999999999999999", INT_MIN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
    EXPECT_EQ(_wtoi(c.text), c.value);
  }
  EXPECT_EQ(_wtoi(nullptr), 0);
}

TEST(WideConvertTest, OutOfRangeSetsErange) {
  errno = 0;
  EXPECT_EQ(_wtoi(u"1"), 1);
  EXPECT_EQ(errno, 0);
  EXPECT_EQ(_wtoi(u"3000000000"), INT_MAX);
  EXPECT_EQ(errno, ERANGE);
  errno = 0;
  EXPECT_EQ(_wtoi64(u"-9223372036854775809"), INT64_MIN);
  EXPECT_EQ(errno, ERANGE);
}

TEST(WideConvertTest, Wtoi64ReadsTheWholeRange) {
  struct Case {
    const char16_t* text;
    int64_t value;
  };
  const Case cases[] = {
      {u"9223372036854775807", INT64_MAX},
      {u"-9223372036854775808", INT64_MIN},
      {u"9223372036854775808", INT64_MAX},
      {u"-9223372036854775809", INT64_MIN},
      {u"18446744073709551616", INT64_MAX},
      {u" 4294967296x", 4294967296ll},
      {u"-1", -1},
      {u"x1", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
    EXPECT_EQ(_wtoi64(c.text), c.value);
  }
  EXPECT_EQ(_wtoi64(nullptr), 0);
}

TEST(WideConvertTest, WtofReadsTheLongestNumber) {
  struct Case {
    const char16_t* text;
    double value;
  };
  const Case cases[] = {
      {u"1.5", 1.5},       {u"  -2.25e2x", -225.0}, {u".5", 0.5},         {u"3,5", 3.0},
      {u"1e", 1.0},        {u"abc", 0.0},           {u"", 0.0},           {u"-", 0.0},
      {u"12\u00E9", 12.0}, {u"0x10", 16.0},         {u"1e400", HUGE_VAL}, {u"-inf", -HUGE_VAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
    EXPECT_EQ(_wtof(c.text), c.value);
  }
  EXPECT_TRUE(std::isnan(_wtof(u"nan")));
  EXPECT_EQ(_wtof(nullptr), 0.0);
  std::u16string longNumber = u"1." + std::u16string(1000, u'0') + u"1";
  EXPECT_EQ(_wtof(longNumber.c_str()), 1.0);
}

}  // namespace
