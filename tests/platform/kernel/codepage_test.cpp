// Conversions between UTF-16 and code pages: UTF-8 by hand, the Windows pages through iconv, and the
// argument, size-query and buffer rules of the two conversion functions.
#include <gtest/gtest.h>
#include <win/codepage.h>
#include <win/error.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Converts the whole of `text` (no terminator) and returns the bytes, or "<failed N>" on failure.
std::string toBytes(UINT codePage, const std::u16string& text, DWORD flags = 0, LPCSTR defaultChar = nullptr,
                    LPBOOL usedDefault = nullptr) {
  int needed = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   defaultChar, usedDefault);
  if (needed == 0) return "<failed " + std::to_string(GetLastError()) + ">";
  std::string bytes(static_cast<size_t>(needed), '\xCC');
  int written = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), bytes.data(),
                                    needed, defaultChar, usedDefault);
  EXPECT_EQ(written, needed);
  return bytes;
}

std::u16string toWide(UINT codePage, const std::string& bytes, DWORD flags = 0) {
  int needed = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (needed == 0) return u"<failed>";
  std::u16string text(static_cast<size_t>(needed), u'\xCCCC');
  int written =
      MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(), needed);
  EXPECT_EQ(written, needed);
  return text;
}

std::string hex(const std::string& bytes) {
  std::string out;
  for (unsigned char b : bytes) {
    char part[4];
    snprintf(part, sizeof part, "%02X ", b);
    out += part;
  }
  return out;
}

std::string hex(const std::u16string& text) {
  std::string out;
  for (char16_t u : text) {
    char part[8];
    snprintf(part, sizeof part, "%04X ", static_cast<unsigned>(u));
    out += part;
  }
  return out;
}

const std::string kReplacementUtf8 = "\xEF\xBF\xBD";

struct Utf8Pair {
  std::u16string wide;
  std::string bytes;
};

TEST(CodePageTest, Utf8RoundTripsEveryEncodingLength) {
  const Utf8Pair cases[] = {
      {u"A", "A"},
      {u"\u007F", "\x7F"},
      {u"\u0080", "\xC2\x80"},
      {u"\u00E9", "\xC3\xA9"},
      {u"\u07FF", "\xDF\xBF"},
      {u"\u0800", "\xE0\xA0\x80"},
      {u"\u20AC", "\xE2\x82\xAC"},
      {u"\uD7FF", "\xED\x9F\xBF"},
      {u"\uE000", "\xEE\x80\x80"},
      {u"\uFFFD", "\xEF\xBF\xBD"},
      {u"\uFFFF", "\xEF\xBF\xBF"},
      {u"\U00010000", "\xF0\x90\x80\x80"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {u"a\u00E9\u20AC\U0001F600z", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z"},
  };
  for (const Utf8Pair& c : cases) {
    SCOPED_TRACE(hex(c.bytes));
    EXPECT_EQ(hex(toBytes(CP_UTF8, c.wide)), hex(c.bytes));
    EXPECT_EQ(hex(toWide(CP_UTF8, c.bytes)), hex(c.wide));
    EXPECT_EQ(hex(toWide(CP_UTF8, c.bytes, MB_ERR_INVALID_CHARS)), hex(c.wide));
  }
}

TEST(CodePageTest, Utf8EncodesLoneSurrogatesAsReplacementCharacter) {
  const Utf8Pair cases[] = {
      {std::u16string(u"\xD800", 1), "\xEF\xBF\xBD"},
      {std::u16string(u"\xDC00", 1), "\xEF\xBF\xBD"},
      {std::u16string{0xD800, u'a'}, kReplacementUtf8 + "a"},
      {std::u16string(u"\xDC00\xD800", 2), "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::u16string(u"a\xD83D", 2), "a\xEF\xBF\xBD"},
  };
  for (const Utf8Pair& c : cases) {
    SCOPED_TRACE(hex(c.wide));
    EXPECT_EQ(hex(toBytes(CP_UTF8, c.wide)), hex(c.bytes));
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, c.wide.data(),
                                  static_cast<int>(c.wide.size()), nullptr, 0, nullptr, nullptr),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  }
}

TEST(CodePageTest, Utf8DecodesEachMaximalInvalidSequenceToOneReplacement) {
  const std::u16string R = u"\uFFFD";
  const Utf8Pair cases[] = {
      {R, "\x80"},          // lone continuation byte
      {R + R, "\xC0\x80"},  // overlong lead bytes never start a sequence
      {R + R, "\xC1\xBF"},
      {R + R + R, "\xE0\x80\x80"},          // overlong three-byte form
      {R + R + R, "\xED\xA0\x80"},          // an encoded surrogate
      {R + R + R + R, "\xF4\x90\x80\x80"},  // beyond U+10FFFF
      {R, "\xF5"},
      {R + R, "\xFF\xFE"},
      {R, "\xE2\x82"},  // truncated at the end: one replacement
      {R + u"A", std::string("\xE2\x82") + "A"},  // cut short by an ASCII byte, which survives
      {R, "\xF0\x9F\x98"},
      {u"a" + R, "a\xC3"},
      {R + u"\u00E9", "\xC3\xC3\xA9"},  // the second lead byte starts the next character
  };
  for (const Utf8Pair& c : cases) {
    SCOPED_TRACE(hex(c.bytes));
    EXPECT_EQ(hex(toWide(CP_UTF8, c.bytes)), hex(c.wide));
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.bytes.data(),
                                  static_cast<int>(c.bytes.size()), nullptr, 0),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  }
}

TEST(CodePageTest, CountMinusOneIncludesTheTerminator) {
  char bytes[16];
  memset(bytes, 'x', sizeof bytes);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a\u00E9", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a\u00E9", -1, bytes, sizeof bytes, nullptr, nullptr), 4);
  EXPECT_STREQ(bytes, "a\xC3\xA9");

  memset(bytes, 'x', sizeof bytes);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"ab", 2, bytes, sizeof bytes, nullptr, nullptr), 2);
  EXPECT_EQ(bytes[2], 'x');  // an explicit count adds no terminator

  char16_t wide[16];
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xC3\xA9", -1, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xC3\xA9", -1, wide, 16), 3);
  EXPECT_EQ(std::u16string(wide), u"a\u00E9");
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80", -1, wide, 16), 2);
  EXPECT_EQ(std::u16string(wide), u"\u20AC");
}

TEST(CodePageTest, ZeroSizeAsksForTheSizeEvenWithABuffer) {
  char bytes[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, bytes, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, u"\u20AC", -1, bytes, 0, nullptr, nullptr), 2);
  EXPECT_EQ(bytes[0], 'x');
  char16_t wide[2] = {u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xF0\x9F\x98\x80", 4, wide, 0), 2);
  EXPECT_EQ(wide[0], u'x');
}

TEST(CodePageTest, BufferOneUnitTooSmallFailsAndExactSizeSucceeds) {
  struct Case {
    UINT codePage;
    std::u16string wide;
  };
  const Case cases[] = {
      {CP_UTF8, u"\U0001F600"}, {CP_UTF8, u"abc\u20AC"}, {1252, u"caf\u00E9"}, {932, u"\u65E5\u672C"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(hex(c.wide));
    int needed = WideCharToMultiByte(c.codePage, 0, c.wide.data(), -1, nullptr, 0, nullptr, nullptr);
    ASSERT_GT(needed, 1);
    std::vector<char> bytes(static_cast<size_t>(needed) + 4, 'x');
    SetLastError(0);
    EXPECT_EQ(
        WideCharToMultiByte(c.codePage, 0, c.wide.data(), -1, bytes.data(), needed - 1, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(bytes[static_cast<size_t>(needed) - 1], 'x');  // nothing written past the given size
    EXPECT_EQ(WideCharToMultiByte(c.codePage, 0, c.wide.data(), -1, bytes.data(), needed, nullptr, nullptr),
              needed);

    int units = MultiByteToWideChar(c.codePage, 0, bytes.data(), -1, nullptr, 0);
    EXPECT_EQ(units, static_cast<int>(c.wide.size()) + 1);
    std::vector<char16_t> wide(static_cast<size_t>(units) + 4, u'x');
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, bytes.data(), -1, wide.data(), units - 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(wide[static_cast<size_t>(units) - 1], u'x');
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, bytes.data(), -1, wide.data(), units), units);
    EXPECT_EQ(std::u16string(wide.data()), c.wide);
  }
}

TEST(CodePageTest, InvalidArgumentsFailWithTheirReason) {
  char bytes[8];
  char16_t wide[8];
  BOOL used = FALSE;
  struct Case {
    const char* name;
    std::function<int()> call;
    DWORD error;
  };
  const Case cases[] = {
      {"null text", [&] { return WideCharToMultiByte(CP_UTF8, 0, nullptr, -1, bytes, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"zero count", [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 0, bytes, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"count -2", [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", -2, bytes, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"negative size",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", -1, bytes, -1, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"null buffer with size",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", -1, nullptr, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"default char for UTF-8",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", -1, bytes, 8, "?", nullptr); },
       ERROR_INVALID_PARAMETER},
      {"used default for UTF-8",
       [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", -1, bytes, 8, nullptr, &used); },
       ERROR_INVALID_PARAMETER},
      {"unknown page", [&] { return WideCharToMultiByte(12345, 0, u"a", -1, bytes, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"UTF-8 flag",
       [&] {
         return WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", -1, bytes, 8, nullptr, nullptr);
       },
       ERROR_INVALID_FLAGS},
      {"strict flag off UTF-8",
       [&] { return WideCharToMultiByte(1252, WC_ERR_INVALID_CHARS, u"a", -1, bytes, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
      {"mb null bytes", [&] { return MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 8); },
       ERROR_INVALID_PARAMETER},
      {"mb zero count", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 8); },
       ERROR_INVALID_PARAMETER},
      {"mb count -2", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", -2, wide, 8); },
       ERROR_INVALID_PARAMETER},
      {"mb negative size", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", -1, wide, -3); },
       ERROR_INVALID_PARAMETER},
      {"mb null buffer with size", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", -1, nullptr, 8); },
       ERROR_INVALID_PARAMETER},
      {"mb UTF-16 is not a byte page", [&] { return MultiByteToWideChar(1200, 0, "a", -1, wide, 8); },
       ERROR_INVALID_PARAMETER},
      {"mb UTF-8 flag", [&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", -1, wide, 8); },
       ERROR_INVALID_FLAGS},
      {"mb exclusive flags",
       [&] { return MultiByteToWideChar(1252, MB_PRECOMPOSED | MB_COMPOSITE, "a", -1, wide, 8); },
       ERROR_INVALID_FLAGS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetLastError(0);
    EXPECT_EQ(c.call(), 0);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST(CodePageTest, ProcessCodePagesAreTheUsEnglishDefaults) {
  EXPECT_EQ(GetACP(), 1252u);
  EXPECT_EQ(GetOEMCP(), 437u);
  EXPECT_EQ(toBytes(CP_ACP, u"\u20AC"), toBytes(1252, u"\u20AC"));
  EXPECT_EQ(toBytes(CP_OEMCP, u"\u2554"), toBytes(437, u"\u2554"));
  EXPECT_EQ(toBytes(CP_THREAD_ACP, u"\u00E9"), "\xE9");
}

TEST(CodePageTest, WindowsPagesMapTheirNonAsciiCharacters) {
  struct Case {
    UINT codePage;
    std::u16string wide;
    std::string bytes;
  };
  const Case cases[] = {
      {1252, u"\u20AC\u201C\u00E9\u0178\u00FF", "\x80\x93\xE9\x9F\xFF"},
      {437, u"\u00C7\u00FC\u00E9\u2591\u2554\u00DF\u03C0\u221A", "\x80\x81\x82\xB0\xC9\xE1\xE3\xFB"},
      {850, u"\u00D8\u00C1", "\x9D\xB5"},
      {866, u"\u0410\u044F", "\x80\xEF"},
      {1251, u"\u0416", "\xC6"},
      {28591, u"\u00FF", "\xFF"},
      {932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
      {932, u"\uFF71", "\xB1"},  // half-width katakana is one byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    EXPECT_EQ(hex(toBytes(c.codePage, c.wide)), hex(c.bytes));
    EXPECT_EQ(hex(toWide(c.codePage, c.bytes)), hex(c.wide));
  }
}

TEST(CodePageTest, EveryDefinedByteOfSingleBytePagesRoundTrips) {
  for (UINT codePage : {1252u, 437u}) {
    SCOPED_TRACE(codePage);
    for (int b = 0x20; b <= 0xFF; ++b) {
      if (codePage == 1252 && (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)) continue;
      std::string byte(1, static_cast<char>(b));
      std::u16string wide = toWide(codePage, byte);
      ASSERT_EQ(wide.size(), 1u) << b;
      EXPECT_NE(wide[0], u'\uFFFD') << b;
      EXPECT_EQ(hex(toBytes(codePage, wide)), hex(byte)) << b;
    }
  }
}

TEST(CodePageTest, UnmappableCharactersBecomeTheDefaultCharacter) {
  struct Case {
    UINT codePage;
    std::u16string wide;
    const char* defaultChar;
    std::string bytes;
    BOOL used;
  };
  const Case cases[] = {
      {1252, u"a\u4E2Db", nullptr, "a?b", TRUE},
      {1252, u"a\u4E2Db", "*", "a*b", TRUE},
      {1252, u"a\u4E2Db", "#!", "a#b", TRUE},  // one byte of the default on a single-byte page
      {1252, u"plain", nullptr, "plain", FALSE},
      {1252, u"\U0001F600", nullptr, "?", TRUE},  // a surrogate pair is one character
      {1252, std::u16string{u'a', 0xD800, u'b'}, nullptr, "a?b", TRUE},
      {1252, std::u16string(u"\xDC00", 1), nullptr, "?", TRUE},
      {437, u"\u20AC", nullptr, "?", TRUE},
      {20127, u"caf\u00E9", nullptr, "caf?", TRUE},
      {932, u"\u0416\u00E9", nullptr, "\x84\x47?", TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(hex(c.wide));
    BOOL used = 7;
    EXPECT_EQ(hex(toBytes(c.codePage, c.wide, 0, c.defaultChar, &used)), hex(c.bytes));
    EXPECT_EQ(used, c.used);
  }
}

TEST(CodePageTest, UndefinedBytesDecodeToReplacementOrFailWhenStrict) {
  const std::string undefined = std::string("a\x81") + "b";
  EXPECT_EQ(hex(toWide(1252, undefined)), hex(std::u16string(u"a\uFFFDb")));
  EXPECT_EQ(toWide(1252, undefined, MB_ERR_INVALID_CHARS), u"<failed>");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(hex(toWide(932, "\x93")), hex(std::u16string(u"\uFFFD")));  // lead byte cut off by the end
  EXPECT_EQ(hex(toWide(20127, "a\xE9")), hex(std::u16string(u"a\uFFFD")));
}

TEST(CodePageTest, StatefulPagesReturnToAsciiAroundReplacements) {
  // ISO-2022-JP must leave its kanji mode before a '?' and end in ASCII mode.
  std::string bytes = toBytes(50220, u"\u65E5\U0001F600\u65E5");
  EXPECT_EQ(hex(bytes), hex(std::string("\x1B$BF|\x1B(B?\x1B$BF|\x1B(B")));
  EXPECT_EQ(toWide(50220, bytes), u"\u65E5?\u65E5");
}

TEST(CodePageTest, EveryListedCodePageConverts) {
  const UINT pages[] = {37,    437,   500,   737,   775,   850,   852,   855,   857,   858,   860,
                        861,   862,   863,   864,   865,   866,   869,   874,   875,   932,   936,
                        949,   950,   1026,  1047,  1140,  1141,  1142,  1143,  1144,  1145,  1146,
                        1147,  1148,  1149,  1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,
                        1258,  1361,  10000, 10007, 10017, 10029, 10079, 20127, 20866, 20932, 20936,
                        21866, 28591, 28592, 28593, 28594, 28595, 28596, 28597, 28598, 28599, 28603,
                        28605, 50220, 50225, 51932, 51936, 51949, 54936, 65000, 65001};
  for (UINT page : pages) {
    SCOPED_TRACE(page);
    EXPECT_TRUE(IsValidCodePage(page));
    std::string bytes = toBytes(page, u"Az09");
    EXPECT_EQ(toWide(page, bytes), u"Az09");
  }
  EXPECT_FALSE(IsValidCodePage(CP_ACP));
  EXPECT_FALSE(IsValidCodePage(1200));
  EXPECT_FALSE(IsValidCodePage(4711));
}

TEST(CodePageTest, ManyPagesInTurnOnManyThreads) {
  // More pages than a thread keeps open at once, on several threads: descriptors are per thread and
  // are replaced as pages come and go.
  struct Case {
    UINT codePage;
    std::u16string wide;
  };
  const std::vector<Case> cases = {{1252, u"\u20AC\u00E9"}, {437, u"\u2554\u00E9"}, {932, u"\u65E5\u672C"},
                                   {936, u"\u4E2D\u6587"},  {949, u"\uD55C"},       {950, u"\u4E2D"},
                                   {1251, u"\u0416"},       {866, u"\u0416"},       {28595, u"\u0416"},
                                   {50220, u"\u65E5a"}};
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) {
        for (size_t i = 0; i < cases.size(); ++i) {
          const Case& c = cases[(i + t) % cases.size()];
          if (toWide(c.codePage, toBytes(c.codePage, c.wide)) != c.wide) ++failures[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int f : failures) EXPECT_EQ(f, 0);
}

}  // namespace
