// Bounded wide formatting: the conversions the library relies on, truncation and termination, and
// floating-point output identical to the C printf.
#include <gtest/gtest.h>
#include <win/crt.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

template <typename... Args>
std::u16string format(const char16_t* spec, Args... args) {
  char16_t buffer[512];
  int written = _snwprintf(buffer, 512, spec, args...);
  if (written < 0) return u"<-1>";
  EXPECT_EQ(std::u16string(buffer).size(), static_cast<size_t>(written));
  return buffer;
}

std::string narrow(const std::u16string& text) {
  std::string out;
  for (char16_t u : text) out += u < 128 ? static_cast<char>(u) : '?';
  return out;
}

std::u16string widen(const char* text) {
  std::u16string out;
  for (; *text; ++text) out += static_cast<char16_t>(static_cast<unsigned char>(*text));
  return out;
}

struct Case {
  std::u16string got;
  std::u16string want;
};

TEST(WideFormatTest, IntegerConversions) {
  const Case cases[] = {
      {format(u"%d", INT_MIN), u"-2147483648"},
      {format(u"%d", INT_MAX), u"2147483647"},
      {format(u"%i|%d", 0, -1), u"0|-1"},
      {format(u"%u", 4294967295u), u"4294967295"},
      {format(u"%u", -1), u"4294967295"},
      {format(u"%x|%X", 0xBEEFu, 0xBEEFu), u"beef|BEEF"},
      {format(u"%08x", 0x1Au), u"0000001a"},
      {format(u"%02x", 0xFFu), u"ff"},
      {format(u"%02x", 0x5u), u"05"},
      {format(u"%04x", 0xABCu), u"0abc"},
      {format(u"%016I64x", 0x123456789ABCDEFull), u"0123456789abcdef"},
      {format(u"%016I64x", ~0ull), u"ffffffffffffffff"},
      {format(u"%I64d", INT64_MIN), u"-9223372036854775808"},
      {format(u"%I64d", INT64_MAX), u"9223372036854775807"},
      {format(u"%I64u", UINT64_MAX), u"18446744073709551615"},
      {format(u"%lld|%llu", -5ll, 5ull), u"-5|5"},
      {format(u"%ld|%lu", -7, 7u), u"-7|7"},  // l is 32 bits, as on Windows
      {format(u"%hd|%hu", 0x18000, 0x18000), u"-32768|32768"},
      {format(u"%hhd|%hhu", 0xFF, 0xFF), u"-1|255"},
      {format(u"%zu|%Iu", static_cast<size_t>(1) << 40, static_cast<size_t>(3)), u"1099511627776|3"},
      {format(u"%o|%#o|%#o", 8u, 8u, 0u), u"10|010|0"},
      {format(u"%#x|%#X|%#x", 255u, 255u, 0u), u"0xff|0XFF|0"},
      {format(u"%5d|%-5d|%05d", 42, 42, -42), u"   42|42   |-0042"},
      {format(u"%+d|% d|%+d", 5, 5, -5), u"+5| 5|-5"},
      {format(u"%.3d|%.0d|%5.3d", 7, 0, -7), u"007|| -007"},
      {format(u"%08.3d", 7), u"     007"},  // a precision turns the 0 flag off
      {format(u"%-08d|", 7), u"7       |"},
      {format(u"%*d|%-*d|%*d|", 4, 1, 3, 2, -3, 3), u"   1|2  |3  |"},
      {format(u"%.*d", 4, 9), u"0009"},
      {format(u"%.*d", -1, 9), u"9"},
      {format(u"%#08x", 0x1Fu), u"0x00001f"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(narrow(cases[i].got), narrow(cases[i].want));
  }
}

TEST(WideFormatTest, TextConversions) {
  const Case cases[] = {
      {format(u"%s", u"wide \u00E9"), u"wide \u00E9"},
      {format(u"%S|%hs", "narrow", "h"), u"narrow|h"},
      {format(u"%ls|%ws", u"l", u"w"), u"l|w"},
      {format(u"%c%c%C", u'a', u'\u20AC', 'b'), u"a\u20ACb"},
      {format(u"%hc|%lc", 'x', u'\u00E9'), u"x|\u00E9"},
      {format(u"%5s|%-5s|%.2s", u"ab", u"ab", u"abc"), u"   ab|ab   |ab"},
      {format(u"%3c|%-3c|", u'x', u'y'), u"  x|y  |"},
      {format(u"%s|%S", static_cast<const char16_t*>(nullptr), static_cast<const char*>(nullptr)),
       u"(null)|(null)"},
      {format(u"%S", "\xE9"), u"\u00E9"},  // narrow bytes widen one to one
      {format(u"100%%"), u"100%"},
      {format(u"%p", reinterpret_cast<void*>(0x12FF7C)), u"000000000012FF7C"},
      {format(u"a%sb", u""), u"ab"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].got, cases[i].want);
  }
  // The precision bounds how far an unterminated text is read.
  const char16_t unterminated[3] = {u'x', u'y', u'z'};
  EXPECT_EQ(format(u"%.3s", unterminated), u"xyz");
}

TEST(WideFormatTest, FloatingPointMatchesThePrintfOfC) {
  const char* specs[] = {"%f",      "%.0f", "%.3f", "%.10f", "%e",    "%E",    "%.2e",   "%g",
                         "%G",      "%.3g", "%#g",  "%#.0f", "%a",    "%A",    "%12.4f", "%-12.4f|",
                         "%012.4f", "%+f",  "% f",  "%+.2e", "%015e", "%020a", "%08f",   "%-08.1f|"};
  const double values[] = {0.0,      -0.0,    1.5,     -1.5,     0.1,      1.0 / 3,   123456789.0, 1e300,
                           -2.5e-10, DBL_MIN, DBL_MAX, 0.5e-320, HUGE_VAL, -HUGE_VAL, NAN,         2.5};
  for (const char* spec : specs) {
    for (double value : values) {
      char expected[512];
      snprintf(expected, sizeof expected, spec, value);
      std::u16string wideSpec = widen(spec);
      SCOPED_TRACE(std::string(spec) + " " + expected);
      EXPECT_EQ(narrow(format(wideSpec.c_str(), value)), expected);
    }
  }
  EXPECT_EQ(format(u"%f", 1.5), u"1.500000");
  EXPECT_EQ(format(u"%Lf", 2.25L), u"2.250000");
  EXPECT_EQ(format(u"%f|%d", 0.25, 3), u"0.250000|3");  // arguments after a double stay in step
}

TEST(WideFormatTest, TruncationReturnsMinusOneAndTerminates) {
  char16_t buffer[8];
  struct Case {
    size_t count;
    int result;
    const char16_t* text;
  };
  const Case cases[] = {{8, 5, u"12345"}, {6, 5, u"12345"}, {5, -1, u"1234"}, {2, -1, u"1"}, {1, -1, u""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(_snwprintf(buffer, c.count, u"%d", 12345), c.result);
    EXPECT_EQ(std::u16string(buffer), c.text);
    for (size_t i = c.count; i < 8; ++i) EXPECT_EQ(buffer[i], u'#') << i;  // nothing past count
  }
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(_snwprintf(buffer, 0, u"x"), -1);
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(_snwprintf(buffer, 4, u"%10d", 1), -1);  // padding counts towards the size
  EXPECT_EQ(std::u16string(buffer), u"   ");
  EXPECT_EQ(_snwprintf(buffer, 8, u"%.1000000d", 1), -1);  // huge fields are bounded, not buffered
  EXPECT_EQ(std::u16string(buffer), u"0000000");
}

TEST(WideFormatTest, MalformedFormatsAndArgumentsAreRefused) {
  char16_t buffer[16];
  int target = 0;
  EXPECT_EQ(_snwprintf(buffer, 16, u"abc%"), -1);
  EXPECT_EQ(_snwprintf(buffer, 16, u"%q", 1), -1);
  EXPECT_EQ(_snwprintf(buffer, 16, u"%n", &target), -1);
  EXPECT_EQ(target, 0);
  EXPECT_EQ(_snwprintf(buffer, 16, u"%99999999999d", 1), -1);
  EXPECT_EQ(_snwprintf(buffer, 16, nullptr), -1);
  EXPECT_EQ(_snwprintf(nullptr, 16, u"x"), -1);
}

int countFormatted(const char16_t* spec, ...) {
  va_list arguments;
  va_start(arguments, spec);
  int count = _vscwprintf(spec, arguments);
  va_end(arguments);
  return count;
}

TEST(WideFormatTest, CountingNeedsNoBuffer) {
  EXPECT_EQ(countFormatted(u"%d-%s", 12345, u"abc"), 9);
  EXPECT_EQ(_scwprintf(u"%100d", 1), 100);
  EXPECT_EQ(_scwprintf(u""), 0);
}

}  // namespace
